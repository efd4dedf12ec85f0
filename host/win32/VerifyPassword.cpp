#include "host/win32/WindowProcs.h"

#include "host/SaverContext.h"
#include "host/win32/PlatformHostState.h"

bool VerifyPassword(SaverContext& context, WindowHandle window)
{
    if (context.platform->checking || context.host.closing) return false;
    if (context.platform->verifier == nullptr) {
        context.host.closing = true;
        return true;
    }
    // A close request right after a refused password is an echo of the same input.
    if (context.platform->lastCheck != 0xFFFFFFFFu && PlatformTickCount() - context.platform->lastCheck < PasswordDebounceMs) return false;

    context.platform->checking = true;
    // Timer ticks queued meanwhile would draw over the password prompt.
    PlatformRemoveMessage(window, Msg::Timer);
    PlatformRemoveMessage(window, Msg::Timer);
    context.host.closing = PlatformSendMessage(window, Msg::VerifyPassword, 0, 0) != 0;
    context.platform->checking = false;
    if (!context.host.closing) PlatformHideCursor();
    context.platform->lastCheck = PlatformTickCount();
    return context.host.closing;
}
