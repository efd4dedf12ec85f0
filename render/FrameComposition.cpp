// One frame, back to front: picture or black, bar and emblem, clocks,
// captions, countdown and, when shown, the information table.
//
// The back buffer keeps what was drawn last (the device presents by copy),
// so a frame draws only what changed. A change of picture, captions, table
// or anything else that moves the layout redraws the whole screen. When only
// the clock texts or the countdown changed, each of their areas is cleared
// and every layer that touches it is drawn again, clipped to it, in the same
// order as a whole frame: the pixels come out as a whole frame would leave
// them. A frame with nothing changed draws and presents nothing.

#include "render/Overlay.h"
#include "render/RenderDevice.h"

#include <algorithm>

namespace {

// Glyphs (the italic ones above all) may reach a little past the box their
// text measures; areas and boxes are widened by this much.
constexpr int GlyphMargin = 4;

bool Loaded(const TextureHandle* handle)
{
    return handle && handle->IsLoaded();
}

uint64_t Changes(const TextureHandle* handle)
{
    return handle ? handle->changes : 0;
}

TextureLoads LoadsOf(const RenderDevice& device)
{
    return {Changes(device.pictureHandle), Changes(device.barHandle), Changes(device.emblemHandle)};
}

bool IsEmpty(const Rect& rect)
{
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

Rect Widened(const Rect& rect)
{
    return {rect.left - GlyphMargin, rect.top - GlyphMargin, rect.right + GlyphMargin, rect.bottom + GlyphMargin};
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

Rect BarRect(int h) { return Rect{0, h - 165, 612, h - 80}; }
Rect EmblemRect(int h) { return Rect{7, h - 205, 132, h - 65}; }

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

// Every layer of the frame that can touch area (all of them for a whole
// frame), back to front. Fills layout with where the elements lie.
void DrawLayers(RenderDevice& device, const FrameContent& content, const Rect* area, FrameLayout& layout)
{
    const int h = device.screenHeight;
    // Cleared even under a picture: its colour-keyed black pixels must show
    // black, not whatever an older frame left in the back buffer.
    device.ClearToBlack();
    if (Loaded(device.pictureHandle))
        device.pictureHandle->Draw(content.screen, Colour::White);
    if (Loaded(device.barHandle) && Touches(Union(BarRect(h), EmblemRect(h)), area)) {
        device.barHandle->Draw(BarRect(h), Colour::White);
        // An emblem that failed to load would otherwise be a white block.
        if (Loaded(device.emblemHandle))
            device.emblemHandle->Draw(EmblemRect(h), Colour::White);
    }
    if (Touches(layout.clocks, area))
        DrawClocks(device, content.clocks);
    const std::vector<TextItem> captions = CaptionItems(content.captions, h);
    for (size_t i = 0; i < captions.size(); ++i)
        if (Touches(layout.captions[i], area))
            device.DrawTextBox(captions[i].text, captions[i].x, captions[i].y, captions[i].font, false, 0);
    if (Touches(layout.countdown, area))
        DrawCountdown(device, content.countdown);
    if (content.showInfoTable && Touches(layout.table, area)) {
        const Rect table = DrawInfoTable(device, content.tableRows);
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
    FrameLayout layout;
    layout.clocks = ClockPanelRect(device.screenWidth, content.clocks);
    for (const TextItem& item : CaptionItems(content.captions, device.screenHeight))
        layout.captions.push_back(TextBox(device, item));
    layout.countdown = TextBox(device, CountdownItem(content.countdown, device.screenHeight));
    DrawLayers(device, content, nullptr, layout);

    result = device.EndScene();
    if (result != 0)
        return static_cast<int32_t>(result);
    device.Present();
    memory = FrameMemory{device.changeDriven, content, LoadsOf(device), layout};
    return 0;
}

int32_t DrawChangedAreas(RenderDevice& device, const FrameContent& content, FrameMemory& memory)
{
    const Rect screen{0, 0, device.screenWidth, device.screenHeight};
    std::vector<Rect> areas;
    if (content.clocks != memory.content.clocks)
        areas.push_back(Intersection(Widened(memory.layout.clocks), screen));
    Rect countdown = memory.layout.countdown;
    if (content.countdown != memory.content.countdown) {
        countdown = TextBox(device, CountdownItem(content.countdown, device.screenHeight));
        areas.push_back(Intersection(Widened(Union(countdown, memory.layout.countdown)), screen));
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
    layout.countdown = Union(countdown, memory.layout.countdown); // either text may be under an area
    for (const Rect& area : areas) {
        device.SetClip(&area);
        DrawLayers(device, content, &area, layout);
    }
    device.SetClip(nullptr);
    result = device.EndScene();
    if (result != 0)
        return static_cast<int32_t>(result);
    for (const Rect& area : areas)
        device.Present(&area);
    layout.countdown = countdown;
    memory = FrameMemory{true, content, memory.loads, layout};
    return 0;
}

} // namespace

int32_t ComposeFrame(RenderDevice& device, const FrameContent& content)
{
    FrameMemory& memory = device.lastFrame;
    if (!OnlyTimesChanged(memory, content, LoadsOf(device)))
        return DrawWhole(device, content, memory);
    return DrawChangedAreas(device, content, memory);
}
