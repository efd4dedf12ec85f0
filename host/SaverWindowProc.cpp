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
// How long input waits for a part of the check whose outcome it needs; a
// part that takes longer is left running and the saver ends without it.
constexpr uint32_t OutcomeWaitMs = 15000;

struct DirectXCheckRun {
    bool finished = false;
    std::string problem; // the check's message; empty when it passed
    bool inputCame = false;
};

// The check's two parts run on helper threads while this one looks for
// input. Input ends a check that can still pass at once, leaving DxDiag
// running; when the libraries already fail it, DxDiag is waited for, since
// the user must learn why nothing shows.
DirectXCheckRun RunDirectXCheck()
{
    DirectXCheckRun run;
    auto libraries = std::make_shared<LibraryFindings>();
    auto dxDiag = std::make_shared<DxVersion>();
    HelperThread libraryProbe, dxDiagProbe;
    if (libraryProbe.Start([libraries] { *libraries = ProbeLibraries(); }) != 0) *libraries = ProbeLibraries();
    if (dxDiagProbe.Start([dxDiag] { *dxDiag = ProbeDxDiag(); }) != 0) *dxDiag = ProbeDxDiag();
    for (;;) {
        const bool librariesDone = libraryProbe.Wait(0);
        if (dxDiagProbe.Wait(InputPollMs) && librariesDone) break;
        if (SaverInputPending()) {
            run.inputCame = true;
            break;
        }
    }
    if (run.inputCame) {
        const bool librariesDone = libraryProbe.Wait(OutcomeWaitMs);
        const bool told = librariesDone && LibrariesFail(*libraries);
        if (!dxDiagProbe.Wait(told ? OutcomeWaitMs : 0) || !librariesDone) {
            hostState.checkLeftRunning = true;
            return run;
        }
    }
    run.finished = true;
    run.problem = DirectXProblemOf(*dxDiag, *libraries);
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
