// Events go first, then due timers (a tick only when nothing else waits); in
// between the loop sleeps in SDL until the next timer is due. A close request
// ends the saver where the loop stands, never inside a tick.

#include "host/linux/sdl/SaverLoop.h"

#include "host/SaverContext.h"
#include "host/SaverContract.h"
#include "platform/linux/sdl/SdlPlatform.h"
#include "render/linux/sdl/SurfaceSize.h"

namespace {

// A window that has other pixels than its device was made for (the
// compositor configured it after the device was made, or its output's scale
// changed) has the screens made again, as a new display would; one with as
// many pixels on fewer points (an output's scale, where the compositor keeps
// the pixels) lays its overlay out anew.
void FollowWindowSizes(SaverContext& context)
{
    bool remake = false;
    for (RenderDevice* device : context.screens.Devices()) {
        if (SurfaceSizeChanged(*device))
            remake = true;
        else if (device->IsCreated())
            SaverDpiChanged(context, device->Window(), PlatformWindowDpi(device->Window()));
    }
    if (remake) SaverDisplaysChanged(context);
}

void Deliver(SaverContext& context, WindowHandle window, SaverWindowEvent event)
{
    switch (event) {
    case SaverWindowEvent::CloseRequest: PlatformRequestClose(window); break;
    case SaverWindowEvent::Key: if (SaverInputCloses(context, SaverInput::Key)) PlatformRequestClose(window); break;
    case SaverWindowEvent::Click: if (SaverInputCloses(context, SaverInput::Click)) PlatformRequestClose(window); break;
    case SaverWindowEvent::MouseMove: if (SaverInputCloses(context, SaverInput::MouseMove)) PlatformRequestClose(window); break;
    case SaverWindowEvent::FocusLost: if (SaverInputCloses(context, SaverInput::Deactivated)) PlatformRequestClose(window); break;
    case SaverWindowEvent::Exposed: SaverFrameLost(context); break;
    case SaverWindowEvent::DisplaysChanged: SaverDisplaysChanged(context); break;
    case SaverWindowEvent::Resized: FollowWindowSizes(context); break;
    case SaverWindowEvent::None: break;
    }
}

} // namespace

int RunSaverLoop(SaverContext& context, SdlPlatformState& platform)
{
    WindowHandle window = platform.window;
    if (SaverStart(context, window) != 0) {
        // No device: the saver stops without the window closing.
        SaverStop(context, window);
        return 0;
    }
    for (;;) {
        if (PlatformCloseRequested(platform)) {
            SaverStop(context, window);
            PlatformDestroySaverWindow(platform);
            return 0;
        }
        const SaverWindowEvent event = PlatformNextEvent(platform, 0);
        if (event != SaverWindowEvent::None) {
            Deliver(context, window, event);
            continue;
        }
        uint32_t id = 0;
        if (PlatformTakeDueTimer(platform, id)) {
            SaverTick(context, window, id);
            continue;
        }
        Deliver(context, window, PlatformNextEvent(platform, PlatformTimerWaitMs(platform)));
    }
}
