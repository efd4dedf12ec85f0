#pragma once
// What the Linux saver's process entry needs from the platform beyond
// platform/Platform.h: SDL started and stopped, the saver window, its timer
// list and its events as the saver sees them. The window handle is the
// SDL_Window itself.

#include "platform/Platform.h"

#include <cstdint>
#include <string>

enum class SaverWindowKind {
    FullScreen, // borderless at the display's bounds
    Windowed,   // a plain window of width x height
    Foreign     // an X window someone else made (xscreensaver, -root)
};

struct SaverWindowPlacement {
    SaverWindowKind kind = SaverWindowKind::FullScreen;
    int width = 0;
    int height = 0;
    unsigned long foreignWindow = 0; // X window id
};

// What an SDL event means to the saver. Input in a foreign window belongs to
// its owner (xscreensaver), who ends us with SIGTERM: it means nothing here.
enum class SaverWindowEvent {
    None,
    CloseRequest, // the window's close button, SIGTERM or SIGINT, the foreign window gone
    Key,
    Click,
    MouseMove,
    FocusLost,
    Exposed // what was on screen is gone
};

// Starts SDL's video and events; SIGTERM and SIGINT from now on ask the saver
// window to close. commandLine is what PlatformCommandLine answers. 0 on success.
int PlatformStart(const std::string& commandLine);
void PlatformStop();

// Makes the saver window; nullptr when none could be made.
WindowHandle PlatformCreateSaverWindow(const SaverWindowPlacement& placement);
// Lets the window go (a foreign one stays for its owner) with its timers.
void PlatformDestroySaverWindow();

// Whether a close was asked for: PlatformRequestClose, a signal, the foreign window gone.
bool PlatformCloseRequested();

// The next event, waiting up to waitMs for one; None when none came.
SaverWindowEvent PlatformNextEvent(uint32_t waitMs);

// The timer list PlatformSetTimer arms, driven by the loop: the most overdue
// timer, rearmed for its next period (late ticks don't pile up); false when
// none is due. How long the loop may wait for the next one.
bool PlatformTakeDueTimer(uint32_t& id);
uint32_t PlatformTimerWaitMs();
