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
    context.device.SetInputCheck([&context] { return context.InputPending(); });
    context.device.PrefetchPicture(FirstCachedPicture(CurrentFolders(context.mode, context.options).cache), setup);
}

// The overlay's scale on a monitor of that many dots per inch: --scale where
// given, else the dots per inch against the 96 the overlay is drawn for.
double OverlayScaleAt(const SaverContext& context, int dpi)
{
    return context.options.overlayScale > 0 ? context.options.overlayScale : OverlayScaleForDpi(dpi);
}

double OverlayScaleOf(const SaverContext& context, WindowHandle window)
{
    return OverlayScaleAt(context, PlatformWindowDpi(window));
}

// The saver shows on every monitor: a device on each further one, full
// screen, or windowed on the monitor's window where full screen is refused.
// A monitor whose device can't be made stays black; the others go on.
void MakeFurtherDevices(SaverContext& context)
{
    if (!context.openFurtherScreens || context.mode.PreviewMode || context.options.windowWidth > 0) return;
    context.furtherScreens = context.openFurtherScreens(context);
    for (const FurtherScreen& screen : context.furtherScreens) {
        RenderDevice& device = context.furtherDevices.emplace_back();
        device.SetInputCheck([&context] { return context.InputPending(); });
        DeviceSetup setup = screen.setup;
        setup.overlayScale = OverlayScaleOf(context, setup.window);
        int made = device.Create(setup);
        if (made != 0 && screen.width > 0 && screen.height > 0) {
            DeviceSetup windowed = setup;
            windowed.windowedWidth = screen.width;
            windowed.windowedHeight = screen.height;
            made = device.Create(windowed);
        }
        if (made == 0) made = device.PrepareSurface();
        if (made != 0) {
            device.Release();
            continue;
        }
        context.app.AddDevice(device);
    }
}

void ReleaseFurtherDevices(SaverContext& context)
{
    context.app.furtherDevices.clear();
    for (RenderDevice& device : context.furtherDevices) device.Release();
    context.furtherDevices.clear();
    if (context.closeFurtherScreens && !context.furtherScreens.empty()) context.closeFurtherScreens(context);
    context.furtherScreens.clear();
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
    context.trace.Step("window made");
    TakeTheWindow(context, window);
    GraphicsCheckRun check = BeginGraphicsCheck(context);
    context.trace.Step(check.pending ? "graphics check begun" : "graphics check decided");
    if (context.mode.PreviewMode) check = FinishGraphicsCheck(context, check);
    TellRefusal(context, check);
    if (OutcomeOf(context, window, check) != CheckOutcome::Goes || context.mode.PreviewMode) return 0;
    // --window: a windowed device of that size; --snapshot: keep each presented frame.
    const DeviceSetup setup{window, 0, context.options.windowWidth, context.options.windowHeight,
                            !context.options.snapshotPath.empty(), OverlayScaleOf(context, window)};
    DecodeFirstPictureAhead(context, setup);
    // From the device to the first frames each step may keep this thread
    // from input for a while; where the platform can, input is watched aside.
    std::shared_ptr<void> busyWatch = context.watchWhileBusy ? context.watchWhileBusy(context) : nullptr;
    const int made = context.device.Create(setup);
    if (made != 0) {
        busyWatch.reset();
        if (made == NoGraphicsLibrary) ShowBox(context, [window] { TellNoGraphicsLibrary(window); });
        ShowBox(context, [] { PlatformMessageBox(nullptr, InitErrorText, InitErrorCaption, BoxKind::Error); });
        return 1;
    }
    context.trace.Step("device made");
    if (context.InputPending()) {
        PlatformRequestClose(window);
        return 0;
    }
    context.app.folders = CurrentFolders(context.mode, context.options);
    context.app.serviceHost = ServiceHostOption(context.options);
    context.app.optionOverrides = context.options.overrides;
    context.app.trace = &context.trace;
    if (context.device.PrepareSurface() != 0) return 0;
    context.trace.Step("black screen and states");
    MakeFurtherDevices(context);
    if (!context.furtherDevices.empty()) context.trace.Step("further monitors' devices made");
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
    if (!context.mode.PreviewMode) context.app.OnTimer(window, timerId);
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

void SaverStop(SaverContext& context, WindowHandle window)
{
    if (context.host.inputMethodDetached) {
        PlatformRestoreInputMethod(window);
        context.host.inputMethodDetached = false;
    }
    if (context.mode.PreviewMode) return;
    context.app.StopTimers();
    if (!context.options.snapshotPath.empty()) context.device.SaveSnapshot(context.options.snapshotPath);
    // A graphics check left running ends with the process, which follows at
    // once; under wine its survey of the display adapters holds Direct3D's
    // lock, and releasing the device would wait for it.
    if (context.host.deviceLeftToExit) return;
    ReleaseFurtherDevices(context);
    context.device.Release();
}
