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

void DrawClocks(RenderDevice& device, const ClockContent& clocks)
{
    const bool zembrian = clocks.showZembrianTime;
    const bool local = clocks.showLocalTime;
    if (!zembrian && !local)
        return;

    int w = device.screenWidth;
    device.DrawPanel(ClockPanelRect(w, clocks), Colour::Panel);
    if (zembrian && local)
        device.DrawTextBox("-", w - 122, 2, FontKind::Text, false, 0);
    if (local)
        device.DrawTextBox(clocks.localText, w - 110, 2, FontKind::Text, false, 0);
    if (zembrian)
        device.DrawTextBox(clocks.zembrianText, local ? w - 255 : w - 135, 2, FontKind::Text, false, 0);
}
