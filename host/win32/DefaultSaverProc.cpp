#include "host/win32/WindowProcs.h"

#include "host/SaverContext.h"
#include "host/win32/PlatformHostState.h"
#include "host/SaverContract.h"

namespace {

void PostClose(WindowHandle window) { PlatformRequestClose(window); }

MessageResult FinalStep(SaverContext& context, WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam)
{
    if (context.platform->autoPlayMessage != 0 && message == context.platform->autoPlayMessage) {
        PostClose(window);
        return context.platform->verifier != nullptr ? 1 : 0; // 1 cancels the auto-play
    }
    return PlatformDefWindowProc(window, message, wParam, lParam);
}

constexpr MessageParam PowerCriticalResume = 3; // WM_POWER: PWR_CRITICALRESUME

} // namespace

bool PowerEventCloses(HostState& host, MessageParam event, MessageData data)
{
    constexpr MessageParam ResumeCritical = 6, ResumeStandby = 8, PowerStatusChange = 10, ResumeAutomatic = 18;
    constexpr MessageData ResumeFromFailure = 1;
    if (event == PowerSettingChangeEvent) return false; // asked for by the saver itself, to spend less
    if (event < ResumeCritical) return true; // queries, suspend and standby
    if ((event >= ResumeCritical && event <= ResumeStandby) || event == ResumeAutomatic)
        return (data & ResumeFromFailure) == 0;
    if (event == PowerStatusChange) {
        uint8_t status = PlatformAcLineStatus();
        bool changed = status != host.powerLineStatus;
        host.powerLineStatus = status;
        return changed;
    }
    return true;
}

MessageResult DefaultSaverProc(SaverContext& context, WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam)
{
    if (context.host.childPreview || context.host.closing) return FinalStep(context, window, message, wParam, lParam);

    switch (message) {
    case Msg::Close:
        if (context.platform->olderFamily && !VerifyPassword(context, window)) {
            PlatformCursorPos(context.host.startPosition);
            return 0;
        }
        return FinalStep(context, window, message, wParam, lParam);
    case Msg::VerifyPassword:
        if (context.platform->olderFamily) return context.platform->verifier == nullptr ? 1 : context.platform->verifier(window);
        return FinalStep(context, window, message, wParam, lParam);
    default:
        break;
    }
    if (context.platform->checking || context.host.boxUp) return FinalStep(context, window, message, wParam, lParam);

    switch (message) {
    case Msg::ShowWindow:
        if (wParam != 0) PlatformHideCursor();
        break;
    case Msg::ActivateApp:
        if (wParam == 0 && SaverInputCloses(context, SaverInput::Deactivated)) PostClose(window);
        break;
    case Msg::SetCursor:
        PlatformHideCursor();
        return 1;
    case Msg::Power:
        if (wParam == PowerCriticalResume) PostClose(window);
        break;
    case Msg::KeyDown:
    case Msg::SysKeyDown:
        if (SaverInputCloses(context, SaverInput::Key)) PostClose(window);
        break;
    case Msg::LButtonDown:
    case Msg::RButtonDown:
    case Msg::MButtonDown:
        if (SaverInputCloses(context, SaverInput::Click)) PostClose(window);
        break;
    case Msg::MouseMove:
        if (SaverInputCloses(context, SaverInput::MouseMove)) PostClose(window);
        break;
    case Msg::PowerBroadcast:
        if (PowerEventCloses(context.host, wParam, lParam)) PostClose(window);
        break;
    default:
        break;
    }
    return FinalStep(context, window, message, wParam, lParam);
}
