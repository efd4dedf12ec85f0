// The program's side of the saver window: its messages onto the saver
// contract. Every message ends in the host's DefaultSaverProc.

#include "host/win32/WindowProcs.h"

#include "host/SaverContext.h"
#include "host/SaverContract.h"
#include "host/win32/PlatformHostState.h"
#include "host/win32/PowerSettings.h"

namespace {

// Monitors came, went or moved. Windows says so with WM_DISPLAYCHANGE; wine
// doesn't when the X server's outputs change, so each frame tick also
// compares the layout.
void FollowDisplays(SaverContext& context, WindowHandle window)
{
    const uint64_t layout = PlatformDisplayLayout();
    if (layout == context.platform->displayLayout) return;
    context.platform->displayLayout = layout;
    if (!context.host.childPreview && context.options.windowWidth == 0) PlatformCoverEveryMonitor(window);
    SaverDisplaysChanged(context);
}

} // namespace

MessageResult SaverWindowProc(SaverContext& context, WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam)
{
    switch (message) {
    case Msg::Create:
        context.platform->displayLayout = PlatformDisplayLayout();
        WatchPowerSettings(context, window);
        if (SaverStart(context, window) != 0) PlatformSendMessage(window, Msg::Destroy, 0, 0);
        break;
    case Msg::Destroy:
        UnwatchPowerSettings(context);
        SaverStop(context, window);
        break;
    case Msg::PowerBroadcast:
        HearPowerBroadcast(context, wParam, lParam);
        break;
    case Msg::Timer:
        if (wParam == FrameTimerId) FollowDisplays(context, window);
        SaverTick(context, window, static_cast<uint32_t>(wParam));
        break;
    case Msg::Paint:
        SaverFrameLost(context);
        break;
    case Msg::DpiChanged:
        SaverDpiChanged(context, window, PlatformFollowDpiChange(window, wParam, lParam));
        break;
    case Msg::DisplayChange:
        FollowDisplays(context, window);
        break;
    default:
        break;
    }
    return DefaultSaverProc(context, window, message, wParam, lParam);
}
