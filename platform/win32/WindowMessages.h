#pragma once
// The Windows message queue, as the saver window's procedures use it: the
// message numbers and system commands they answer, and the calls that post,
// send and default them. Windows only; the recording platform supplies the
// same calls to the native tests of those procedures.

#include "platform/Platform.h"

#include <cstdint>

using MessageParam = uintptr_t; // WPARAM
using MessageData = intptr_t;   // LPARAM
using MessageResult = intptr_t; // LRESULT

namespace Msg {
constexpr unsigned Create = 0x0001;
constexpr unsigned Destroy = 0x0002;
constexpr unsigned SetText = 0x000C;
constexpr unsigned Paint = 0x000F;
constexpr unsigned Close = 0x0010;
constexpr unsigned ShowWindow = 0x0018;
constexpr unsigned ActivateApp = 0x001C;
constexpr unsigned SetCursor = 0x0020;
constexpr unsigned Power = 0x0048;
constexpr unsigned Help = 0x0053;
constexpr unsigned ContextMenu = 0x007B;
constexpr unsigned DisplayChange = 0x007E;
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
constexpr unsigned DpiChanged = 0x02E0; // the new DPI in wParam's high word, the suggested rectangle in lParam
constexpr unsigned VerifyPassword = 0x8000; // WM_APP: the host's own password request
} // namespace Msg

// WM_SYSCOMMAND values the host answers itself.
namespace SysCmd {
constexpr MessageParam NextWindow = 0xF040;
constexpr MessageParam PrevWindow = 0xF050;
constexpr MessageParam ScreenSave = 0xF140;
constexpr MessageParam MonitorPower = 0xF170;
} // namespace SysCmd

// Virtual-key codes of the mouse buttons; every other code is a key.
namespace Vk {
constexpr int LButton = 0x01;
constexpr int RButton = 0x02;
constexpr int MButton = 0x04;
constexpr int XButton1 = 0x05;
constexpr int XButton2 = 0x06;
constexpr int Count = 256;
} // namespace Vk

// WM_POWERBROADCAST's event for a power setting the window asked to hear of.
constexpr MessageParam PowerSettingChangeEvent = 0x8013; // PBT_POWERSETTINGCHANGE

// The power settings the saver window hears of, in the order registered.
enum class PowerSetting { ConsoleDisplay, EnergySaver, PowerSaving, Other };
constexpr int PowerSettingCount = 3;
struct PowerSettingChange {
    PowerSetting setting = PowerSetting::Other;
    uint32_t value = 0;
};
// Asks for the window's power-setting events (each answered at once with the
// current state); a refused one stays nullptr. Unregister gives them back.
void PlatformRegisterPowerSettings(WindowHandle window, void* (&registrations)[PowerSettingCount]);
void PlatformUnregisterPowerSettings(void* (&registrations)[PowerSettingCount]);
// The setting and value a PowerSettingChangeEvent's data carries.
PowerSettingChange PlatformReadPowerSetting(MessageData data);
// Waits at most that long for a message to the thread, then hands the
// window's queued WM_POWERBROADCAST messages to its procedure; other posted
// messages stay queued. (Messages another thread sends are delivered by any
// look at the queue, as Windows does.)
void PlatformDeliverPowerEvents(WindowHandle window, uint32_t milliseconds);
// What Windows answers at once, without an event: battery saver is on (on
// Windows 11 energy saver sets it too).
bool PlatformBatterySaverOn();

bool PlatformPostMessage(WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam);
MessageResult PlatformSendMessage(WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam);
MessageResult PlatformDefWindowProc(WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam);
void PlatformPostQuitMessage(int exitCode);
// Takes one queued message of that number for the window off the queue; false when there was none.
bool PlatformRemoveMessage(WindowHandle window, unsigned message);
// Msg::DpiChanged of a top-level window: returns the new DPI. A window that
// fills its monitor keeps it; any other takes the rectangle the system
// suggests, the same size at the new DPI.
int PlatformFollowDpiChange(WindowHandle window, MessageParam wParam, MessageData lParam);
// Msg::DisplayChange of the full-screen saver window: it covers every
// monitor there is now.
void PlatformCoverEveryMonitor(WindowHandle window);
// The monitors' number and the virtual screen's place, as one value that
// changes when a monitor comes, goes or moves.
uint64_t PlatformDisplayLayout();
