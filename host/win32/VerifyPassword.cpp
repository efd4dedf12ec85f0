#include "host/win32/WindowProcs.h"

#include "host/HostProtocol.h"

bool VerifyPassword(WindowHandle window)
{
    if (hostState.checking || hostState.closing) return false;
    if (hostState.verifier == nullptr) {
        hostState.closing = true;
        return true;
    }
    // A close request right after a refused password is an echo of the same input.
    if (hostState.lastCheck != 0xFFFFFFFFu && PlatformTickCount() - hostState.lastCheck < PasswordDebounceMs) return false;

    hostState.checking = true;
    // Timer ticks queued meanwhile would draw over the password prompt.
    PlatformRemoveMessage(window, Msg::Timer);
    PlatformRemoveMessage(window, Msg::Timer);
    hostState.closing = PlatformSendMessage(window, Msg::VerifyPassword, 0, 0) != 0;
    hostState.checking = false;
    if (!hostState.closing) PlatformHideCursor();
    hostState.lastCheck = PlatformTickCount();
    return hostState.closing;
}
