// The clocks at the top right: Zembrian time and local time on one panel.

#include "render/Overlay.h"
#include "render/OverlayLayout.h"

using namespace OverlayLayout;

Rect ClockPanelRect(int w, const ClockContent& clocks, double s)
{
    int width = 0;
    if (clocks.showZembrianTime && clocks.showLocalTime)
        width = ClockPanelWidthBoth(s);
    else if (clocks.showZembrianTime)
        width = ClockPanelWidthZembrian(s);
    else if (clocks.showLocalTime)
        width = ClockPanelWidthLocal(s);
    else
        return Rect{};
    return Rect{w - width, 0, w, ClockPanelHeight(s)};
}

std::vector<TextItem> ClockItems(int w, const ClockContent& clocks, double s)
{
    const bool zembrian = clocks.showZembrianTime;
    const bool local = clocks.showLocalTime;
    std::vector<TextItem> items;
    if (zembrian && local)
        items.push_back({"-", ClockDashX(w, s), ClockTextTop(s), FontKind::Text});
    if (local)
        items.push_back({clocks.localText, LocalClockX(w, s), ClockTextTop(s), FontKind::Text});
    if (zembrian)
        items.push_back({clocks.zembrianText, ZembrianClockX(w, local, s), ClockTextTop(s), FontKind::Text});
    return items;
}
