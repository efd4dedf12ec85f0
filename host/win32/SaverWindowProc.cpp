// The program's side of the saver window: its messages onto the saver
// contract. Every message ends in the host's DefaultSaverProc.

#include "host/win32/WindowProcs.h"

#include "host/SaverContext.h"
#include "host/SaverContract.h"
#include "host/win32/PowerSettings.h"

MessageResult SaverWindowProc(SaverContext& context, WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam)
{
    switch (message) {
    case Msg::Create:
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
        SaverTick(context, window, static_cast<uint32_t>(wParam));
        break;
    case Msg::Paint:
        SaverFrameLost(context);
        break;
    case Msg::DpiChanged:
        SaverDpiChanged(context, window, PlatformFollowDpiChange(window, wParam, lParam));
        break;
    default:
        break;
    }
    return DefaultSaverProc(context, window, message, wParam, lParam);
}
