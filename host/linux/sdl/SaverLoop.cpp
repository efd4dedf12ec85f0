// Events go first, then due timers (a tick only when nothing else waits); in
// between the loop sleeps in SDL until the next timer is due. A close request
// ends the saver where the loop stands, never inside a tick.

#include "host/linux/sdl/SaverLoop.h"

#include "host/SaverContract.h"
#include "platform/linux/sdl/SdlPlatform.h"

namespace {

void Deliver(WindowHandle window, SaverWindowEvent event)
{
    switch (event) {
    case SaverWindowEvent::CloseRequest: PlatformRequestClose(window); break;
    case SaverWindowEvent::Key: if (SaverInputCloses(SaverInput::Key)) PlatformRequestClose(window); break;
    case SaverWindowEvent::Click: if (SaverInputCloses(SaverInput::Click)) PlatformRequestClose(window); break;
    case SaverWindowEvent::MouseMove: if (SaverInputCloses(SaverInput::MouseMove)) PlatformRequestClose(window); break;
    case SaverWindowEvent::FocusLost: if (SaverInputCloses(SaverInput::Deactivated)) PlatformRequestClose(window); break;
    case SaverWindowEvent::Exposed: SaverFrameLost(); break;
    case SaverWindowEvent::None: break;
    }
}

} // namespace

int RunSaverLoop(WindowHandle window)
{
    if (SaverStart(window) != 0) {
        // No device: the saver stops without the window closing.
        SaverStop(window);
        return 0;
    }
    for (;;) {
        if (PlatformCloseRequested()) {
            SaverStop(window);
            PlatformDestroySaverWindow();
            return 0;
        }
        const SaverWindowEvent event = PlatformNextEvent(0);
        if (event != SaverWindowEvent::None) {
            Deliver(window, event);
            continue;
        }
        uint32_t id = 0;
        if (PlatformTakeDueTimer(id)) {
            SaverTick(window, id);
            continue;
        }
        Deliver(window, PlatformNextEvent(PlatformTimerWaitMs()));
    }
}
