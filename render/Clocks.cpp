// The clocks at the top right: Zembrian time and local time on one panel.

#include "render/Overlay.h"
#include "render/RenderDevice.h"

Rect ClockPanelRect(int w, const ClockContent& clocks)
{
    if (clocks.showZembrianTime && clocks.showLocalTime)
        return Rect{w - 260, 0, w, 25};
    if (clocks.showZembrianTime)
        return Rect{w - 145, 0, w, 25};
    if (clocks.showLocalTime)
        return Rect{w - 120, 0, w, 25};
    return Rect{};
}

std::vector<TextItem> ClockItems(int w, const ClockContent& clocks)
{
    const bool zembrian = clocks.showZembrianTime;
    const bool local = clocks.showLocalTime;
    std::vector<TextItem> items;
    if (zembrian && local)
        items.push_back({"-", w - 122, 2, FontKind::Text});
    if (local)
        items.push_back({clocks.localText, w - 110, 2, FontKind::Text});
    if (zembrian)
        items.push_back({clocks.zembrianText, local ? w - 255 : w - 135, 2, FontKind::Text});
    return items;
}

void DrawClocks(RenderDevice& device, const ClockContent& clocks)
{
    if (!clocks.showZembrianTime && !clocks.showLocalTime)
        return;
    device.DrawPanel(ClockPanelRect(device.screenWidth, clocks), Colour::Panel);
    for (const TextItem& item : ClockItems(device.screenWidth, clocks))
        device.DrawTextBox(item.text, item.x, item.y, item.font, false, 0);
}
