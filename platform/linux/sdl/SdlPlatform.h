#pragma once
// What the Linux saver's process entry needs from the platform beyond
// platform/Platform.h: SDL started and stopped, the saver window, its timer
// list and its events as the saver sees them. The window handle is the
// SDL_Window itself, and it carries the platform state the process entry
// owns: the functions of platform/Platform.h that take a window find the
// state from it.

#include "platform/Platform.h"
#include "platform/linux/SystemMonitors.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

struct SDL_Window;
struct OutputPower;

// A full-screen window on a display beyond the saver window's, and the
// bounds of the display it was made for.
struct DisplayWindow {
    SDL_Window* window = nullptr;
    int x = 0, y = 0, width = 0, height = 0;
};

struct WindowTimer {
    uint32_t id;
    uint32_t period;
    uint32_t due; // tick count
};

// The saver window, its timers and the close request; made by the process
// entry, filled by PlatformStart and PlatformCreateSaverWindow.
struct SdlPlatformState {
    std::vector<WindowTimer> timers;
    SDL_Window* window = nullptr;
    std::vector<DisplayWindow> furtherWindows; // full screen on the displays beyond the saver window's
    bool foreign = false;              // drawing into someone else's window: input is theirs
    unsigned long foreignWindow = 0;   // its X window id
    bool destroyed = false;
    // Wayland tells a client no global pointer position, only one within the
    // window the pointer is over, from where it entered. The pointer is
    // followed as a position of our own that moves by what each window
    // reports; entering a window (also one appearing under a still pointer)
    // moves it nowhere.
    bool windowRelativePointer = false;
    const SDL_Window* pointerWindow = nullptr; // where the last motion was
    int pointerOffsetX = 0, pointerOffsetY = 0;  // our position less that window's
    int pointerX = 0, pointerY = 0;              // our position
    std::atomic<uint32_t> wakeEvent{0};      // SDL user event the signal watch pushes
    std::atomic<bool> closeRequested{false}; // PlatformRequestClose, SIGTERM or SIGINT
    std::atomic<bool> windowGone{false};     // the foreign window vanished
    SystemMonitors monitors;                 // metered network, power-saver profile, monitors asleep, lock
    // Wayland: the outputs' power modes, told on SDL's connection; asked at
    // the first frame and kept to the process end (SDL closes that connection).
    OutputPower* outputPower = nullptr;
    bool outputPowerAsked = false;
};

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
    Exposed, // what was on screen is gone
    DisplaysChanged, // a display was connected or disconnected
    Resized // one of our windows has other pixels now (the compositor's configure, an output's scale)
};

// Starts SDL's video and events for a saver window placed so; SIGTERM and
// SIGINT from now on ask the saver window to close. The state must outlive
// the process's last SDL call. 0 on success.
int PlatformStart(SdlPlatformState& state, const SaverWindowPlacement& placement);
// Ends SDL, and with it the saver window (a foreign one stays for its owner).
void PlatformStop(SdlPlatformState& state);

// Makes the saver window; nullptr when none could be made.
WindowHandle PlatformCreateSaverWindow(SdlPlatformState& state, const SaverWindowPlacement& placement);
// A full-screen window on a display beyond the saver window's, and that
// display's index and size.
struct FurtherWindow {
    WindowHandle window = nullptr;
    int display = 0;
    int width = 0;
    int height = 0;
};

// Opens a full-screen window on every display SDL reports beyond the first
// (where the saver window is), each black until drawn; a display that
// already has one from before keeps it. A display that mirrors one already
// covered gets none; one whose window can't be made is said on stderr and
// left out; the windows of displays that are gone go. Their input, focus and
// exposure come to the saver as the saver window's do.
std::vector<FurtherWindow> PlatformOpenFurtherWindows(SdlPlatformState& state);

// Ends the window's part in the saver: its timers stop and it takes no
// requests. The SDL window itself stays until PlatformStop, so a late call
// with its handle still finds a live window.
void PlatformDestroySaverWindow(SdlPlatformState& state);

// Whether a close was asked for: PlatformRequestClose, a signal, the foreign window gone.
bool PlatformCloseRequested(const SdlPlatformState& state);

// The next event, waiting up to waitMs for one; None when none came.
SaverWindowEvent PlatformNextEvent(SdlPlatformState& state, uint32_t waitMs);

// The timer list PlatformSetTimer arms, driven by the loop: the most overdue
// timer, rearmed for its next period (late ticks don't pile up); false when
// none is due. How long the loop may wait for the next one.
bool PlatformTakeDueTimer(SdlPlatformState& state, uint32_t& id);
uint32_t PlatformTimerWaitMs(const SdlPlatformState& state);

// PlatformHideCursor for the saver window of this state: a foreign window's
// cursor belongs to its owner. The process entry, which owns the state,
// answers PlatformHideCursor with it.
void HideCursorOver(const SdlPlatformState& state);
// Whether SDL draws on a Wayland compositor (rather than an X server); the
// render device asks too.
bool IsWayland();
// PlatformCursorPos for this state, answered the same way.
void CursorPosOver(const SdlPlatformState& state, PlatformPoint& position);
