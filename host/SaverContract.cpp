#include "host/SaverContract.h"

#include "host/GraphicsCheck.h"
#include "host/SaverContext.h"
#include "render/DrawList.h"
#include "render/OverlayScale.h"
#include "render/RenderDevice.h"
#include "slideshow/PictureCache.h"

#include <memory>

namespace {

// The part of start-up that needs no device: the window is known from here
// on, since the start-up's requests already check for input.
void TakeTheWindow(SaverContext& context, WindowHandle window)
{
    context.host.mainWindow = window;
    context.host.inputMethodDetached = PlatformDetachInputMethod(window);
    PlatformCursorPos(context.host.startPosition);
    if (!context.host.childPreview) PlatformHideCursor();
    if (context.options.runForSeconds > 0) {
        const uint32_t period = static_cast<uint32_t>(context.options.runForSeconds) * 1000u;
        PlatformSetTimer(window, RunForTimerId, period);
        context.host.runForArmed = true;
        context.host.runForDeadline = PlatformTickCount() + period;
    }
}

// Shows a message box the user must be able to read. It has no owner, so
// the window still gets input meanwhile: that input waits for the box, and a
// mouse move afterwards counts from where the user left the cursor.
template <typename Show> void ShowBox(SaverContext& context, Show show)
{
    context.host.boxUp = true;
    show();
    context.host.boxUp = false;
    PlatformCursorPos(context.host.startPosition);
}

void TellRefusal(SaverContext& context, const GraphicsCheckRun& check)
{
    if (!check.refusal.empty()) ShowBox(context, [&check] { TellGraphicsRefusal(check.refusal); });
}

enum class CheckOutcome { Goes, Closes, Refused };

// What the check's outcome makes of the start-up: input during the check
// closes the saver (a refusal's message comes first: the user must learn why
// nothing shows); a refusal leaves the window black and inert.
CheckOutcome OutcomeOf(SaverContext& context, WindowHandle window, const GraphicsCheckRun& check)
{
    if (check.pending) return CheckOutcome::Goes;
    if (!check.finished || check.inputCame || context.InputPending()) {
        PlatformRequestClose(window);
        return CheckOutcome::Closes;
    }
    return check.acceptable ? CheckOutcome::Goes : CheckOutcome::Refused;
}

// The cached picture start-up will show first decodes while the device is
// made, on a thread of its own; the decode's wait looks for input.
void DecodeFirstPictureAhead(SaverContext& context, const DeviceSetup& setup)
{
    context.screens.First().SetInputCheck([&context] { return context.InputPending(); });
    context.screens.First().PrefetchPicture(FirstCachedPicture(CurrentFolders(context.mode, context.options).cache), setup);
}

// The overlay's scale on a monitor of that many dots per inch: --scale where
// given, else the dots per inch against the 96 the overlay is drawn for.
double OverlayScaleAt(const SaverContext& context, int dpi)
{
    return context.options.overlayScale > 0 ? context.options.overlayScale : OverlayScaleForDpi(dpi);
}

// The first monitor's scale once its device knows its adapter's monitor
// (a --window keeps the scale of the window's own monitor).
void ScaleFirstByItsMonitor(SaverContext& context)
{
    RenderDevice& first = context.screens.First();
    if (context.options.windowWidth == 0) first.SetOverlayScale(OverlayScaleAt(context, first.MonitorDpi()));
}

// The saver shows on every monitor: a device on each further one (Screens).
void MakeFurtherDevices(SaverContext& context)
{
    if (!context.openFurtherScreens || context.mode.PreviewMode || context.options.windowWidth > 0) return;
    context.screens.MakeFurther(
        context.openFurtherScreens(context), [&context](int dpi) { return OverlayScaleAt(context, dpi); },
        [&context] { return context.InputPending(); });
}

void ReleaseFurtherDevices(SaverContext& context)
{
    const std::vector<WindowHandle> windows = context.screens.FurtherWindows();
    context.screens.ReleaseFurther();
    if (context.closeFurtherScreens && !windows.empty()) context.closeFurtherScreens(context, windows);
}

// Every device goes and is made again, the first one too: a Direct3D
// object knows only the adapters there were when it was made. Each monitor
// then shows the current picture.
void RemakeScreens(SaverContext& context)
{
    context.host.displaysChanged = false;
    ReleaseFurtherDevices(context);
    if (context.screens.RemakeFirst() != 0) return; // black until the saver closes
    ScaleFirstByItsMonitor(context);
    MakeFurtherDevices(context);
    context.app.ScreensRemade();
    context.trace.Step("screens made again");
}

void ShowBlackAndRelease(RenderDevice& device)
{
    DrawList black;
    black.AddClear();
    device.BeginScene();
    device.Execute(black);
    device.EndScene();
    device.Present();
    device.Release();
}

} // namespace

int32_t SaverStart(SaverContext& context, WindowHandle window)
{
    context.trace.Step("window made", window);
    TakeTheWindow(context, window);
    GraphicsCheckRun check = BeginGraphicsCheck(context);
    context.trace.Step(check.pending ? "graphics check begun" : "graphics check decided");
    if (context.mode.PreviewMode) check = FinishGraphicsCheck(context, check);
    TellRefusal(context, check);
    if (OutcomeOf(context, window, check) != CheckOutcome::Goes || context.mode.PreviewMode) return 0;
    // --window: a windowed device of that size; --snapshot: keep each presented frame.
    // The overlay's scale follows the adapter's monitor once the device knows it.
    DeviceSetup setup{window, 0, context.options.windowWidth, context.options.windowHeight,
                      !context.options.snapshotPath.empty(), OverlayScaleAt(context, PlatformWindowDpi(window))};
    setup.adapters = check.adapters;
    DecodeFirstPictureAhead(context, setup);
    // From the device to the first frames each step may keep this thread
    // from input for a while; where the platform can, input is watched aside.
    std::shared_ptr<void> busyWatch = context.watchWhileBusy ? context.watchWhileBusy(context) : nullptr;
    const int made = context.screens.MakeFirst(setup);
    if (made != 0) {
        busyWatch.reset();
        if (made == NoGraphicsLibrary) ShowBox(context, [window] { TellNoGraphicsLibrary(window); });
        ShowBox(context, [] { PlatformMessageBox(nullptr, InitErrorText, InitErrorCaption, BoxKind::Error); });
        return 1;
    }
    context.trace.Step("device made");
    ScaleFirstByItsMonitor(context);
    RenderDevice& first = context.screens.First();
    if (context.InputPending()) {
        PlatformRequestClose(window);
        return 0;
    }
    context.app.folders = CurrentFolders(context.mode, context.options);
    context.app.serviceHost = ServiceHostOption(context.options);
    context.app.optionOverrides = context.options.overrides;
    context.app.trace = &context.trace;
    if (first.PrepareSurface() != 0) return 0;
    context.trace.Step("black screen and states");
    MakeFurtherDevices(context);
    if (context.screens.Devices().size() > 1) context.trace.Step("further monitors' devices made");
    const bool shown = context.app.StartShowing(window) == 0;
    busyWatch.reset();
    if (!shown) {
        PlatformRequestClose(window);
        return 0;
    }
    // The part of the check that can only confirm follows the first frames.
    // Its refusal leaves the window black and inert, as a refusal before the
    // device does; the device goes first, since a full-screen device holds
    // the screen over any message box.
    check = FinishGraphicsCheck(context, check);
    context.trace.Step("graphics check decided");
    if (!check.refusal.empty()) {
        context.app.StopTimers();
        for (RenderDevice* device : context.app.Devices()) ShowBlackAndRelease(*device);
        TellRefusal(context, check);
    }
    if (OutcomeOf(context, window, check) != CheckOutcome::Goes) return 0;
    if (context.app.StartService(window) != 0) PlatformRequestClose(window);
    return 0;
}

void SaverTick(SaverContext& context, WindowHandle window, uint32_t timerId)
{
    if (timerId == RunForTimerId) {
        // The time given with --run-for is up: close as a key press would.
        PlatformKillTimer(window, RunForTimerId);
        PlatformRequestClose(window);
        return;
    }
    PlatformSleep(0);
    if (context.mode.PreviewMode) return;
    if (context.host.displaysChanged && timerId == FrameTimerId) RemakeScreens(context);
    context.app.OnTimer(window, timerId);
}

bool SaverInputCloses(SaverContext& context, SaverInput input)
{
    if (input != SaverInput::MouseMove) return true;
    PlatformPoint now;
    PlatformCursorPos(now);
    if (CursorDistance(now, context.host.startPosition) <= MouseMoveThreshold) return false;
    context.host.startPosition = now;
    return true;
}

void SaverFrameLost(SaverContext& context)
{
    if (!context.host.childPreview) PlatformHideCursor();
    // The window was covered, restored or erased: what the frames left on
    // screen is gone, so the next tick draws and presents the whole frame.
    for (RenderDevice* device : context.app.Devices()) device->LastFrame().valid = false;
}

void SaverDpiChanged(SaverContext& context, WindowHandle window, int dpi)
{
    if (dpi <= 0) return;
    for (RenderDevice* device : context.app.Devices())
        if (device->Window() == window) device->SetOverlayScale(OverlayScaleAt(context, dpi));
}

void SaverDisplaysChanged(SaverContext& context)
{
    // Only where the saver shows on every monitor (not in a preview or a
    // --window); a refused start has no device to make again.
    if (context.openFurtherScreens && !context.mode.PreviewMode && context.options.windowWidth == 0 &&
        context.screens.First().IsCreated())
        context.host.displaysChanged = true;
}

void SaverStop(SaverContext& context, WindowHandle window)
{
    if (context.host.inputMethodDetached) {
        PlatformRestoreInputMethod(window);
        context.host.inputMethodDetached = false;
    }
    if (context.mode.PreviewMode) return;
    context.app.StopTimers();
    if (!context.options.snapshotPath.empty()) context.screens.First().SaveSnapshot(context.options.snapshotPath);
    // A graphics check left running ends with the process, which follows at
    // once; under wine its survey of the display adapters holds Direct3D's
    // lock, and releasing the device would wait for it.
    if (context.host.deviceLeftToExit) return;
    ReleaseFurtherDevices(context);
    context.screens.Release();
}
