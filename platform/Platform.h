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
constexpr unsigned Close = 0x0010;
constexpr unsigned Timer = 0x0113;
} // namespace Msg

// Message box icons and buttons, as Windows defines them.
namespace Box {
constexpr unsigned Ok = 0x0000;
constexpr unsigned IconError = 0x0010;
constexpr unsigned IconExclamation = 0x0030;
} // namespace Box

int PlatformMessageBox(WindowHandle owner, const std::string& text, const std::string& caption, unsigned flags);
uint32_t PlatformSetTimer(WindowHandle window, uint32_t id, uint32_t milliseconds);
bool PlatformKillTimer(WindowHandle window, uint32_t id);
bool PlatformPostMessage(WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam);
MessageResult PlatformSendMessage(WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam);
uint32_t PlatformTickCount();
void PlatformSleep(uint32_t milliseconds);
int64_t PlatformNow(); // seconds since 1970-01-01 UTC
