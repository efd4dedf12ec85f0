#include "host/win32/WindowProcs.h"

#include "host/HostProtocol.h"
#include "host/SaverContract.h"

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
    case Msg::Destroy:
        PlatformPostQuitMessage(0);
        break;
    case Msg::SetText:
        return 0;
    case Msg::Paint:
        if (hostState.closing) return PlatformDefWindowProc(window, message, wParam, lParam);
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
            SaverTick(window, RunForTimerId);
            return 0;
        }
        break;
    default:
        if (IsInput(message) && hostState.closing) return PlatformDefWindowProc(window, message, wParam, lParam);
        break;
    }
    return SaverWindowProc(window, message, wParam, lParam);
}
