#include "host/SaverContract.h"

#include "host/GraphicsCheck.h"
#include "host/HostProtocol.h"
#include "host/ModeFlags.h"
#include "host/ProgramOptions.h"
#include "host/SaverApp.h"
#include "render/RenderDevice.h"

namespace {

// The part of start-up that needs no device: the window is known from here
// on, since the start-up's requests already check for input.
void TakeTheWindow(WindowHandle window)
{
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
}

} // namespace

int32_t SaverStart(WindowHandle window)
{
    TakeTheWindow(window);
    ReadModeFlags();
    const GraphicsCheckRun check = RunGraphicsCheck();
    // Input during start-up skips the rest, and the saver ends the usual way;
    // a failed check's message comes first: the user must learn why nothing shows.
    if (!check.finished || check.inputCame || SaverInputPending()) {
        PlatformRequestClose(window);
        return 0;
    }
    if (!check.acceptable) return 0; // told the user; the window stays black and inert
    if (PreviewMode) return 0;
    // --window: a windowed device of that size; --snapshot: keep each presented frame.
    renderDevice.windowedWidth = programOptions.windowWidth;
    renderDevice.windowedHeight = programOptions.windowHeight;
    renderDevice.keepPresentedFrame = !programOptions.snapshotPath.empty();
    if (renderDevice.Create(window, 0) != 0) {
        PlatformMessageBox(nullptr, InitErrorText, InitErrorCaption, BoxKind::Error);
        return 1;
    }
    if (SaverInputPending()) {
        PlatformRequestClose(window);
        return 0;
    }
    // A slow or stalled request must not keep the saver from closing.
    saverApp.serviceClient.inputPending = SaverInputPending;
    if (renderDevice.InitResources() == 0 && saverApp.Start(window) != 0) PlatformRequestClose(window);
    return 0;
}

void SaverTick(WindowHandle window, uint32_t timerId)
{
    if (timerId == RunForTimerId) {
        // The time given with --run-for is up: close as a key press would.
        PlatformKillTimer(window, RunForTimerId);
        PlatformRequestClose(window);
        return;
    }
    PlatformSleep(0);
    if (!PreviewMode) saverApp.OnTimer(window, timerId);
}

bool SaverInputCloses(SaverInput input)
{
    if (input != SaverInput::MouseMove) return true;
    PlatformPoint now;
    PlatformCursorPos(now);
    if (CursorDistance(now, hostState.startPosition) <= MouseMoveThreshold) return false;
    hostState.startPosition = now;
    return true;
}

void SaverFrameLost()
{
    if (!hostState.childPreview) PlatformHideCursor();
    // The window was covered, restored or erased: what the frames left on
    // screen is gone, so the next tick draws and presents the whole frame.
    renderDevice.lastFrame.valid = false;
}

void SaverStop(WindowHandle window)
{
    if (hostState.inputMethodDetached) {
        PlatformRestoreInputMethod(window);
        hostState.inputMethodDetached = false;
    }
    if (PreviewMode) return;
    saverApp.StopTimers();
    if (!programOptions.snapshotPath.empty()) renderDevice.SaveSnapshot(programOptions.snapshotPath);
    renderDevice.Release();
}
