#include "host/win32/WindowProcs.h"

#include "host/SaverContext.h"

bool VerifyPassword(SaverContext& context, WindowHandle window)
{
    if (context.host.checking || context.host.closing) return false;
    if (context.host.verifier == nullptr) {
        context.host.closing = true;
        return true;
    }
    // A close request right after a refused password is an echo of the same input.
    if (context.host.lastCheck != 0xFFFFFFFFu && PlatformTickCount() - context.host.lastCheck < PasswordDebounceMs) return false;

    context.host.checking = true;
    // Timer ticks queued meanwhile would draw over the password prompt.
    PlatformRemoveMessage(window, Msg::Timer);
    PlatformRemoveMessage(window, Msg::Timer);
    context.host.closing = PlatformSendMessage(window, Msg::VerifyPassword, 0, 0) != 0;
    context.host.checking = false;
    if (!context.host.closing) PlatformHideCursor();
    context.host.lastCheck = PlatformTickCount();
    return context.host.closing;
}
