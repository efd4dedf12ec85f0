#include "host/win32/WindowProcs.h"

#include "host/HostProtocol.h"
#include "host/SaverContract.h"

namespace {

void PostClose(WindowHandle window) { PlatformRequestClose(window); }

MessageResult FinalStep(WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam)
{
    if (hostState.autoPlayMessage != 0 && message == hostState.autoPlayMessage) {
        PostClose(window);
        return hostState.verifier != nullptr ? 1 : 0; // 1 cancels the auto-play
    }
    return PlatformDefWindowProc(window, message, wParam, lParam);
}

constexpr MessageParam PowerCriticalResume = 3; // WM_POWER: PWR_CRITICALRESUME

} // namespace

bool PowerEventCloses(MessageParam event, MessageData data)
{
    constexpr MessageParam ResumeCritical = 6, ResumeStandby = 8, PowerStatusChange = 10, ResumeAutomatic = 18;
    constexpr MessageData ResumeFromFailure = 1;
    if (event < ResumeCritical) return true; // queries, suspend and standby
    if ((event >= ResumeCritical && event <= ResumeStandby) || event == ResumeAutomatic)
        return (data & ResumeFromFailure) == 0;
    if (event == PowerStatusChange) {
        uint8_t status = PlatformAcLineStatus();
        bool changed = status != hostState.powerLineStatus;
        hostState.powerLineStatus = status;
        return changed;
    }
    return true;
}

MessageResult DefaultSaverProc(WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam)
{
    if (hostState.childPreview || hostState.closing) return FinalStep(window, message, wParam, lParam);

    switch (message) {
    case Msg::Close:
        if (hostState.olderFamily && !VerifyPassword(window)) {
            PlatformCursorPos(hostState.startPosition);
            return 0;
        }
        return FinalStep(window, message, wParam, lParam);
    case Msg::VerifyPassword:
        if (hostState.olderFamily) return hostState.verifier == nullptr ? 1 : hostState.verifier(window);
        return FinalStep(window, message, wParam, lParam);
    default:
        break;
    }
    if (hostState.checking) return FinalStep(window, message, wParam, lParam);

    switch (message) {
    case Msg::ShowWindow:
        if (wParam != 0) PlatformHideCursor();
        break;
    case Msg::ActivateApp:
        if (wParam == 0 && SaverInputCloses(SaverInput::Deactivated)) PostClose(window);
        break;
    case Msg::SetCursor:
        PlatformHideCursor();
        return 1;
    case Msg::Power:
        if (wParam == PowerCriticalResume) PostClose(window);
        break;
    case Msg::KeyDown:
    case Msg::SysKeyDown:
        if (SaverInputCloses(SaverInput::Key)) PostClose(window);
        break;
    case Msg::LButtonDown:
    case Msg::RButtonDown:
    case Msg::MButtonDown:
        if (SaverInputCloses(SaverInput::Click)) PostClose(window);
        break;
    case Msg::MouseMove:
        if (SaverInputCloses(SaverInput::MouseMove)) PostClose(window);
        break;
    case Msg::PowerBroadcast:
        if (PowerEventCloses(wParam, lParam)) PostClose(window);
        break;
    default:
        break;
    }
    return FinalStep(window, message, wParam, lParam);
}
