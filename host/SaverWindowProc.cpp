#include "host/SaverWindowProc.h"

#include "host/DirectXCheck.h"
#include "host/HostProtocol.h"
#include "host/ModeFlags.h"
#include "host/ProgramOptions.h"
#include "host/SaverApp.h"
#include "platform/HelperThread.h"
#include "render/RenderDevice.h"

#include <memory>
#include <string>

namespace {

constexpr uint32_t InputPollMs = 10;
// Input during the check still waits this long for its outcome; a check
// that takes longer is left running and the saver ends without it.
constexpr uint32_t OutcomeWaitMs = 15000;

struct DirectXCheckRun {
    bool finished = false;
    std::string problem; // the check's message; empty when it passed
    bool inputCame = false;
};

// The DirectX check takes about a second (DxDiag): it runs on a helper
// thread while this one looks for input. Input doesn't end the wait: a
// failed check must still be told, so its outcome is waited for.
DirectXCheckRun RunDirectXCheck()
{
    DirectXCheckRun run;
    auto outcome = std::make_shared<std::string>();
    HelperThread helper;
    if (helper.Start([outcome] { *outcome = DirectXProblem(); }) != 0) {
        *outcome = DirectXProblem();
    } else {
        while (!helper.Wait(InputPollMs)) {
            if (SaverInputPending()) {
                run.inputCame = true;
                break;
            }
        }
        if (run.inputCame && !helper.Wait(OutcomeWaitMs)) {
            hostState.checkLeftRunning = true;
            return run;
        }
    }
    run.finished = true;
    run.problem = *outcome;
    return run;
}

// Input during start-up: the rest is skipped and the saver ends the usual way.
void Close(WindowHandle window)
{
    PlatformPostMessage(window, Msg::Close, 0, 0);
}

void OnCreate(WindowHandle window)
{
    ReadModeFlags();
    const DirectXCheckRun check = RunDirectXCheck();
    // Input during the check ends the saver, but a failed check's message
    // comes first: the user must learn why nothing shows.
    const bool acceptable = check.finished && ReportDirectXProblem(check.problem);
    if (!check.finished || check.inputCame || SaverInputPending()) return Close(window);
    if (!acceptable) return; // told the user; the window stays black and inert
    if (PreviewMode) return;
    // --window: a windowed device of that size; --snapshot: keep each presented frame.
    renderDevice.windowedWidth = programOptions.windowWidth;
    renderDevice.windowedHeight = programOptions.windowHeight;
    renderDevice.keepPresentedFrame = !programOptions.snapshotPath.empty();
    if (renderDevice.Create(window, 0) != 0) {
        PlatformMessageBox(nullptr, InitErrorText, InitErrorCaption, Box::IconError | Box::Ok);
        PlatformSendMessage(window, Msg::Destroy, 0, 0);
        return;
    }
    if (SaverInputPending()) return Close(window);
    // A slow or stalled request must not keep the saver from closing.
    saverApp.serviceClient.inputPending = SaverInputPending;
    if (renderDevice.InitResources() == 0 && saverApp.Start(window) != 0) Close(window);
}

} // namespace

MessageResult SaverWindowProc(WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam)
{
    switch (message) {
    case Msg::Create:
        OnCreate(window);
        break;
    case Msg::Destroy:
        if (!PreviewMode) {
            saverApp.StopTimers();
            if (!programOptions.snapshotPath.empty()) renderDevice.SaveSnapshot(programOptions.snapshotPath);
            renderDevice.Release();
        }
        break;
    case Msg::Timer:
        if (!PreviewMode) saverApp.OnTimer(window, static_cast<uint32_t>(wParam));
        break;
    case Msg::Paint:
        // The window was covered, restored or erased: what the frames left on
        // screen is gone, so the next tick draws and presents the whole frame.
        renderDevice.lastFrame.valid = false;
        break;
    default:
        break;
    }
    return DefaultSaverProc(window, message, wParam, lParam);
}
