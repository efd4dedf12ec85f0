// The program's side of the saver window: its messages onto the saver
// contract. Every message ends in the host's DefaultSaverProc.

#include "host/win32/WindowProcs.h"

#include "host/SaverContract.h"

MessageResult SaverWindowProc(WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam)
{
    switch (message) {
    case Msg::Create:
        if (SaverStart(window) != 0) PlatformSendMessage(window, Msg::Destroy, 0, 0);
        break;
    case Msg::Destroy:
        SaverStop(window);
        break;
    case Msg::Timer:
        SaverTick(window, static_cast<uint32_t>(wParam));
        break;
    case Msg::Paint:
        SaverFrameLost();
        break;
    default:
        break;
    }
    return DefaultSaverProc(window, message, wParam, lParam);
}
