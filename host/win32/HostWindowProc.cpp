#include "host/win32/WindowProcs.h"

#include "host/SaverContext.h"
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

MessageResult HostWindowProc(SaverContext& context, WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam)
{
    switch (message) {
    case Msg::Destroy:
        PlatformPostQuitMessage(0);
        break;
    case Msg::SetText:
        return 0;
    case Msg::Paint:
        if (context.host.closing) return PlatformDefWindowProc(window, message, wParam, lParam);
        break;
    case Msg::Help:
    case Msg::ContextMenu:
        if (context.host.childPreview) {
            WindowHandle parent = context.host.parent;
            if (parent != nullptr && PlatformIsWindow(parent))
                PlatformPostMessage(parent, message, reinterpret_cast<MessageParam>(parent), lParam);
            return 1;
        }
        break;
    case Msg::SysCommand:
        if (!context.host.childPreview) {
            if (wParam == SysCmd::NextWindow || wParam == SysCmd::PrevWindow || wParam == SysCmd::ScreenSave) return 0;
            if (wParam == SysCmd::MonitorPower) PlatformPostMessage(window, Msg::Close, 0, 0);
        }
        break;
    case Msg::Timer:
        if (context.host.closing) return 0;
        if (wParam == RunForTimerId) {
            SaverTick(context, window, RunForTimerId);
            return 0;
        }
        break;
    default:
        if (IsInput(message) && context.host.closing) return PlatformDefWindowProc(window, message, wParam, lParam);
        break;
    }
    return SaverWindowProc(context, window, message, wParam, lParam);
}
