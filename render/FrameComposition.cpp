// One frame, back to front: picture or black, bar and emblem, clocks,
// captions, countdown and, when shown, the information table.
//
// The back buffer keeps what was drawn last (the device presents by copy),
// so a frame draws only what changed. A change of picture, captions, table
// or anything else that moves the layout redraws the whole screen. When only
// clock texts or the countdown changed, the area of each changed text (where
// it was and where it goes) is cleared and every layer that touches it is
// drawn again, clipped to it, in the same order as a whole frame: the pixels
// come out as a whole frame would leave them, and unchanged texts beside it
// are not drawn. A frame with nothing changed draws and presents nothing.

#include "render/Overlay.h"
#include "render/OverlayLayout.h"
#include "render/RenderDevice.h"

#include <algorithm>

namespace {

#ifdef ZEMBRIA_FULL_FRAMES
// The benchmarks' comparison build draws every frame whole.
constexpr bool ChangeDriven = false;
#else
constexpr bool ChangeDriven = true;
#endif


TextureLoads LoadsOf(const RenderDevice& device)
{
    return {device.Picture().Changes(), device.Bar().Changes(), device.Emblem().Changes()};
}

bool IsEmpty(const Rect& rect)
{
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

Rect Widened(const Rect& rect)
{
    return {rect.left - GlyphReach, rect.top - GlyphReach, rect.right + GlyphReach, rect.bottom + GlyphReach};
}

Rect Union(const Rect& a, const Rect& b)
{
    if (IsEmpty(a))
        return b;
    if (IsEmpty(b))
        return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

Rect Intersection(const Rect& a, const Rect& b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

// Whether something within box can change a pixel of area; area is null for a whole frame.
bool Touches(const Rect& box, const Rect* area)
{
    return area == nullptr || (!IsEmpty(box) && !IsEmpty(Intersection(Widened(box), *area)));
}

Rect TextBox(const RenderDevice& device, const TextItem& item)
{
    return device.MeasureTextBox(item.text, item.x, item.y, item.font);
}

// Whether the frame can be had by redrawing the clocks and the countdown alone.
bool OnlyTimesChanged(const FrameMemory& memory, const FrameContent& next, const TextureLoads& loads)
{
    const FrameContent& last = memory.content;
    return memory.valid && loads == memory.loads && next.screen == last.screen &&
           next.captions == last.captions && next.showInfoTable == last.showInfoTable &&
           next.tableRows == last.tableRows &&
           next.clocks.showZembrianTime == last.clocks.showZembrianTime &&
           next.clocks.showLocalTime == last.clocks.showLocalTime;
}

void DrawTexts(DrawList& list, const RenderDevice& device, const std::vector<TextItem>& items,
               const std::vector<Rect>& boxes, const Rect* area)
{
    for (size_t i = 0; i < items.size(); ++i)
        if (Touches(boxes[i], area))
            DrawTextBox(list, device, items[i].text, items[i].x, items[i].y, items[i].font, false, 0);
}

std::vector<Rect> TextBoxes(const RenderDevice& device, const std::vector<TextItem>& items)
{
    std::vector<Rect> boxes;
    for (const TextItem& item : items)
        boxes.push_back(TextBox(device, item));
    return boxes;
}

// The bottom layer: black, and the picture on it. Cleared even under a
// picture: its colour-keyed black pixels must show black, not whatever an
// older frame left in the back buffer. The picture fills the device's screen.
void DrawPictureLayer(DrawList& list, const RenderDevice& device)
{
    list.AddClear();
    if (device.Picture().IsLoaded())
        list.AddQuad(device.Picture(), Rect{0, 0, device.ScreenWidth(), device.ScreenHeight()}, Colour::White);
}

// Every layer of the frame that can touch area (all of them for a whole
// frame), back to front. Fills layout with where the table lies.
void DrawLayers(DrawList& list, const RenderDevice& device, const FrameContent& content, const Rect* area,
                FrameLayout& layout)
{
    using OverlayLayout::Bar;
    using OverlayLayout::Emblem;
    const int h = device.ScreenHeight();
    const double s = device.OverlayScale();
    DrawPictureLayer(list, device);
    if (device.Bar().IsLoaded() && Touches(Union(Bar(h, s), Emblem(h, s)), area)) {
        // The bitmaps are made for 96 dpi: enlarged, they are smoothed, not blocky.
        const Sampling sampling = s == 1.0 ? Sampling::Nearest : Sampling::Linear;
        list.AddQuad(device.Bar(), Bar(h, s), Colour::White, sampling);
        // An emblem that failed to load would otherwise be a white block.
        if (device.Emblem().IsLoaded())
            list.AddQuad(device.Emblem(), Emblem(h, s), Colour::White, sampling);
    }
    if (Touches(layout.clockPanel, area))
        list.AddPanel(layout.clockPanel, Colour::Panel);
    DrawTexts(list, device, ClockItems(device.ScreenWidth(), content.clocks, s), layout.clocks, area);
    DrawTexts(list, device, CaptionItems(content.captions, h, s), layout.captions, area);
    if (Touches(layout.countdown, area)) {
        const TextItem countdown = CountdownItem(content.countdown, h, s);
        DrawTextBox(list, device, countdown.text, countdown.x, countdown.y, countdown.font, false, 0);
    }
    if (content.showInfoTable && Touches(layout.table, area)) {
        const Rect table = DrawInfoTable(list, device, content.tableRows);
        if (area == nullptr)
            layout.table = table;
    }
}

int32_t DrawWhole(RenderDevice& device, const FrameContent& content, FrameMemory& memory)
{
    long result = device.BeginScene();
    if (result != 0)
        return static_cast<int32_t>(result);
    memory.valid = false;
    const double s = device.OverlayScale();
    FrameLayout layout;
    layout.clockPanel = ClockPanelRect(device.ScreenWidth(), content.clocks, s);
    layout.clocks = TextBoxes(device, ClockItems(device.ScreenWidth(), content.clocks, s));
    layout.captions = TextBoxes(device, CaptionItems(content.captions, device.ScreenHeight(), s));
    layout.countdown = TextBox(device, CountdownItem(content.countdown, device.ScreenHeight(), s));
    DrawList list;
    DrawLayers(list, device, content, nullptr, layout);
    device.Execute(list);

    result = device.EndScene();
    if (result != 0)
        return static_cast<int32_t>(result);
    // A frame whose draws or present failed isn't on screen: the next one is drawn whole.
    const bool shown = device.Present() == 0;
    memory = FrameMemory{ChangeDriven && shown, content, LoadsOf(device), layout};
    return 0;
}

int32_t DrawChangedAreas(RenderDevice& device, const FrameContent& content, FrameMemory& memory)
{
    const Rect screen{0, 0, device.ScreenWidth(), device.ScreenHeight()};
    const double s = device.OverlayScale();
    std::vector<TextItem> last = ClockItems(device.ScreenWidth(), memory.content.clocks, s);
    std::vector<TextItem> next = ClockItems(device.ScreenWidth(), content.clocks, s);
    last.push_back(CountdownItem(memory.content.countdown, device.ScreenHeight(), s));
    next.push_back(CountdownItem(content.countdown, device.ScreenHeight(), s));
    std::vector<Rect> boxes = memory.layout.clocks;
    boxes.push_back(memory.layout.countdown);

    // Each changed text: where it was and where it goes. While the area is
    // drawn, both boxes count as the text's, so it is drawn wherever it can touch.
    std::vector<Rect> areas;
    std::vector<Rect> reach = boxes;
    for (size_t i = 0; i < next.size(); ++i) {
        if (next[i].text == last[i].text)
            continue;
        const Rect moved = TextBox(device, next[i]);
        reach[i] = Union(boxes[i], moved);
        boxes[i] = moved;
        areas.push_back(Intersection(Widened(reach[i]), screen));
    }
    std::erase_if(areas, IsEmpty);
    if (areas.empty()) {
        memory.content = content; // nothing on screen differs
        return 0;
    }

    long result = device.BeginScene();
    if (result != 0)
        return static_cast<int32_t>(result);
    memory.valid = false;
    FrameLayout layout = memory.layout;
    layout.countdown = reach.back();
    reach.pop_back();
    layout.clocks = reach;
    DrawList list;
    for (const Rect& area : areas) {
        list.AddClip(&area);
        DrawLayers(list, device, content, &area, layout);
    }
    list.AddClip(nullptr);
    device.Execute(list);
    result = device.EndScene();
    if (result != 0)
        return static_cast<int32_t>(result);
    bool shown = true;
    for (const Rect& area : areas)
        shown = device.Present(&area) == 0 && shown;
    layout.countdown = boxes.back();
    boxes.pop_back();
    layout.clocks = boxes;
    memory = FrameMemory{shown, content, memory.loads, layout};
    return 0;
}

} // namespace

int32_t ComposeFrame(RenderDevice& device, const FrameContent& content)
{
    FrameMemory& memory = device.LastFrame();
    if (!OnlyTimesChanged(memory, content, LoadsOf(device)))
        return DrawWhole(device, content, memory);
    return DrawChangedAreas(device, content, memory);
}

int32_t ShowPictureAlone(RenderDevice& device)
{
    if (!device.Picture().IsLoaded())
        return 0;
    device.LastFrame() = FrameMemory{}; // the next frame is drawn whole
    // A copy spares this frame the device's first draw, which the overlay's
    // frame then pays with the picture already on screen.
    if (!device.CopyPictureToBackBuffer()) {
        long result = device.BeginScene();
        if (result != 0)
            return static_cast<int32_t>(result);
        DrawList list;
        DrawPictureLayer(list, device);
        device.Execute(list);
        result = device.EndScene();
        if (result != 0)
            return static_cast<int32_t>(result);
    }
    device.Present();
    return 0;
}
