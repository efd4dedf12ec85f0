#pragma once
// What the portable code needs from the platform: windows, messages, window
// timers, cursor, message boxes, power status, time, sleep and the command
// line. Message numbers are the Windows ones on every platform. Win32 supplies
// these in platform/win32/, the tests a recording implementation.

#include <cstdint>
#include <string>

using WindowHandle = void*;      // HWND on Windows
using MessageParam = uintptr_t;  // WPARAM
using MessageData = intptr_t;    // LPARAM
using MessageResult = intptr_t;  // LRESULT

// Message numbers, as Windows defines them.
namespace Msg {
constexpr unsigned Create = 0x0001;
constexpr unsigned Destroy = 0x0002;
constexpr unsigned SetText = 0x000C;
constexpr unsigned Paint = 0x000F;
constexpr unsigned Close = 0x0010;
constexpr unsigned Quit = 0x0012;
constexpr unsigned ShowWindow = 0x0018;
constexpr unsigned ActivateApp = 0x001C;
constexpr unsigned SetCursor = 0x0020;
constexpr unsigned Power = 0x0048;
constexpr unsigned Help = 0x0053;
constexpr unsigned ContextMenu = 0x007B;
constexpr unsigned KeyDown = 0x0100;
constexpr unsigned KeyUp = 0x0101;
constexpr unsigned SysKeyDown = 0x0104;
constexpr unsigned SysCommand = 0x0112;
constexpr unsigned Timer = 0x0113;
constexpr unsigned MouseMove = 0x0200;
constexpr unsigned LButtonDown = 0x0201;
constexpr unsigned RButtonDown = 0x0204;
constexpr unsigned MButtonDown = 0x0207;
constexpr unsigned PowerBroadcast = 0x0218;
constexpr unsigned VerifyPassword = 0x8000; // WM_APP: the host's own password request
} // namespace Msg

// WM_SYSCOMMAND values the host answers itself.
namespace SysCmd {
constexpr MessageParam NextWindow = 0xF040;
constexpr MessageParam PrevWindow = 0xF050;
constexpr MessageParam ScreenSave = 0xF140;
constexpr MessageParam MonitorPower = 0xF170;
} // namespace SysCmd

// Message box icons and buttons, as Windows defines them.
namespace Box {
constexpr unsigned Ok = 0x0000;
constexpr unsigned IconError = 0x0010;
constexpr unsigned IconExclamation = 0x0030;
constexpr unsigned IconInformation = 0x0040;
} // namespace Box

struct PlatformPoint { int32_t x = 0, y = 0; };

// Status codes of the platform's own calls (HRESULT values on Windows).
namespace Status {
constexpr long Fail = static_cast<int32_t>(0x80004005u);
constexpr long InvalidArg = static_cast<int32_t>(0x80070057u);
constexpr long OutOfMemory = static_cast<int32_t>(0x8007000Eu);
} // namespace Status

int PlatformMessageBox(WindowHandle owner, const std::string& text, const std::string& caption, unsigned flags);
uint32_t PlatformSetTimer(WindowHandle window, uint32_t id, uint32_t milliseconds);
bool PlatformKillTimer(WindowHandle window, uint32_t id);
bool PlatformPostMessage(WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam);
MessageResult PlatformSendMessage(WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam);
uint32_t PlatformTickCount();
void PlatformSleep(uint32_t milliseconds);
int64_t PlatformNow(); // seconds since 1970-01-01 UTC

// Windows and the message loop.
MessageResult PlatformDefWindowProc(WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam);
bool PlatformIsWindow(WindowHandle window);
WindowHandle PlatformForegroundWindow();
void PlatformPostQuitMessage(int exitCode);
// Takes one queued message of that number for the window off the queue; false when there was none.
bool PlatformRemoveMessage(WindowHandle window, unsigned message);
// Whether a key press, a mouse button or a close request waits in the queue
// for the window, without taking it off.
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

// The whole process command line, the module's own path included.
std::string PlatformCommandLine();
// The running module's own file, as the system knows it: never the command
// line's spelling, which may be short, upper-case or without extension.
std::string PlatformModulePath();
// The path made absolute against the current directory.
std::string PlatformFullPath(const std::string& path);

// Text for the user outside any window (usage, version, bad options): on the
// console when there is one, else in a message box.
void PlatformReport(const std::string& text, const std::string& caption, bool isError);
