#pragma once
// What the portable code needs from the platform: windows, window timers,
// close requests, cursor, message boxes, power status, time, sleep and the
// command line. Win32 supplies these in platform/win32/, Linux in
// platform/linux/, the tests a recording implementation.

#include <cstdint>
#include <string>

using WindowHandle = void*; // HWND on Windows

// What a message box tells: an error, with an OK button.
enum class BoxKind { Error };

struct PlatformPoint { int32_t x = 0, y = 0; };

int PlatformMessageBox(WindowHandle owner, const std::string& text, const std::string& caption, BoxKind kind);
uint32_t PlatformSetTimer(WindowHandle window, uint32_t id, uint32_t milliseconds);
bool PlatformKillTimer(WindowHandle window, uint32_t id);
// Asks the saver window to close once the work under way returns, as input does.
void PlatformRequestClose(WindowHandle window);
uint32_t PlatformTickCount();
void PlatformSleep(uint32_t milliseconds);
int64_t PlatformNow(); // seconds since 1970-01-01 UTC
int64_t PlatformNowMs(); // the same clock in milliseconds

bool PlatformIsWindow(WindowHandle window);
// The dots per inch of the monitor that shows the window, as the user set
// them; 0 where the platform tells none. The overlay scales with them.
int PlatformWindowDpi(WindowHandle window);
WindowHandle PlatformForegroundWindow();
// Whether a key press, a mouse button or a close request waits for the
// window or any other window of the saver (one on each monitor), without
// taking it off.
bool PlatformInputQueued(WindowHandle window);

// Cursor: the saver hides it and closes when it moves.
bool PlatformCursorPos(PlatformPoint& position);
void PlatformHideCursor();

// Input method: detached from the saver window while it runs. Detach returns
// false when the platform has no input method to detach.
bool PlatformDetachInputMethod(WindowHandle window);
void PlatformRestoreInputMethod(WindowHandle window);

// AC line status as the platform reports it; 255 when it gives none.
uint8_t PlatformAcLineStatus();

// What the system says about who looks and what power costs: the saver
// spends nothing nobody sees.
struct PowerState {
    bool displaysOn = true;   // some monitor the saver covers is on
    bool energySaver = false; // energy saver, battery saver or a power-saver profile
};
// Read at each frame tick. Where the system tells by events instead (the
// window's messages on Windows), the host keeps what it heard in state and
// this leaves those fields alone.
void PlatformReadPowerState(WindowHandle window, PowerState& state);
// Whether the system calls the connection metered (a phone's hotspot, a
// capped plan); false when it can't tell. Asked before each step.
bool PlatformConnectionMetered(WindowHandle window);

// The whole process command line, the module's own path included.
// The running module's own file, as the system knows it: never the command
// line's spelling, which may be short, upper-case or without extension.
std::string PlatformModulePath();
// The path made absolute against the current directory.
std::string PlatformFullPath(const std::string& path);

// Text for the user outside any window (usage, version, bad options): on the
// console when there is one, else in a message box.
void PlatformReport(const std::string& text, const std::string& caption, bool isError);
