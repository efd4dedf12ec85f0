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

// The DirectX check takes about a second (DxDiag): it runs on a helper
// thread while this one looks for input. 0 with the check's problem (empty
// for none), or 1 when input came first.
int32_t RunDirectXCheck(std::string& problem)
{
    auto outcome = std::make_shared<std::string>();
    HelperThread helper;
    if (helper.Start([outcome] { *outcome = DirectXProblem(); }) != 0) {
        problem = DirectXProblem();
        return 0;
    }
    while (!helper.Wait(InputPollMs)) {
        if (SaverInputPending()) {
            hostState.checkLeftRunning = true;
            return 1;
        }
    }
    problem = *outcome;
    return 0;
}

// Input during start-up: the rest is skipped and the saver ends the usual way.
void Close(WindowHandle window)
{
    PlatformPostMessage(window, Msg::Close, 0, 0);
}

void OnCreate(WindowHandle window)
{
    ReadModeFlags();
    std::string problem;
    if (RunDirectXCheck(problem) != 0 || SaverInputPending()) return Close(window);
    if (!ReportDirectXProblem(problem)) return; // told the user; the window stays black and inert
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
    default:
        break;
    }
    return DefaultSaverProc(window, message, wParam, lParam);
}
