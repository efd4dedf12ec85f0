#include "host/HostProtocol.h"

#include "host/ProgramOptions.h"
#include "host/SaverWindowProc.h"

HostState hostState;

namespace {

bool IsInput(unsigned message)
{
    switch (message) {
    case Msg::KeyDown:
    case Msg::SysKeyDown:
    case Msg::MouseMove:
    case Msg::LButtonDown:
    case Msg::RButtonDown:
    case Msg::MButtonDown:
        return true;
    default:
        return false;
    }
}

} // namespace

MessageResult HostWindowProc(WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam)
{
    switch (message) {
    case Msg::Create:
        // Known from creation on: the start-up's requests already check for input.
        hostState.mainWindow = window;
        hostState.inputMethodDetached = PlatformDetachInputMethod(window);
        PlatformCursorPos(hostState.startPosition);
        if (!hostState.childPreview) PlatformHideCursor();
        if (programOptions.runForSeconds > 0) {
            const uint32_t period = static_cast<uint32_t>(programOptions.runForSeconds) * 1000u;
            PlatformSetTimer(window, RunForTimerId, period);
            hostState.runForArmed = true;
            hostState.runForDeadline = PlatformTickCount() + period;
        }
        break;
    case Msg::Destroy:
        if (hostState.inputMethodDetached) {
            PlatformRestoreInputMethod(window);
            hostState.inputMethodDetached = false;
        }
        PlatformPostQuitMessage(0);
        break;
    case Msg::SetText:
        return 0;
    case Msg::Paint:
        if (hostState.closing) return PlatformDefWindowProc(window, message, wParam, lParam);
        if (!hostState.childPreview) PlatformHideCursor();
        break;
    case Msg::Help:
    case Msg::ContextMenu:
        if (hostState.childPreview) {
            WindowHandle parent = hostState.parent;
            if (parent != nullptr && PlatformIsWindow(parent))
                PlatformPostMessage(parent, message, reinterpret_cast<MessageParam>(parent), lParam);
            return 1;
        }
        break;
    case Msg::SysCommand:
        if (!hostState.childPreview) {
            if (wParam == SysCmd::NextWindow || wParam == SysCmd::PrevWindow || wParam == SysCmd::ScreenSave) return 0;
            if (wParam == SysCmd::MonitorPower) PlatformPostMessage(window, Msg::Close, 0, 0);
        }
        break;
    case Msg::Timer:
        if (hostState.closing) return 0;
        if (wParam == RunForTimerId) {
            // The time given with --run-for is up: close as a key press would.
            PlatformKillTimer(window, RunForTimerId);
            PlatformPostMessage(window, Msg::Close, 0, 0);
            return 0;
        }
        PlatformSleep(0);
        break;
    default:
        if (IsInput(message) && hostState.closing) return PlatformDefWindowProc(window, message, wParam, lParam);
        break;
    }
    return SaverWindowProc(window, message, wParam, lParam);
}
