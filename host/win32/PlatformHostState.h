#pragma once
// What only the Windows host keeps: the module instance, the password check
// and auto-play answer of the Windows 95/98/Me family, and the power-setting
// events the saver window asked for, the DirectX check while the window is
// made. WinMain owns it;
// the context points at it.

#include "platform/Platform.h"
#include "platform/win32/WindowMessages.h"

#include <cstdint>
#include <memory>

using PasswordVerifier = bool (*)(WindowHandle window);
struct PendingCheck;

struct PlatformHostState {
    void* instance = nullptr;
    bool olderFamily = false;          // Windows 95/98/Me: password and auto-play handling
    bool checking = false;             // a password check is under way
    PasswordVerifier verifier = nullptr;
    unsigned autoPlayMessage = 0;      // "QueryCancelAutoPlay", 0 when not registered
    uint32_t lastCheck = 0xFFFFFFFFu;  // tick count when the last check ended; all ones for never
    uint64_t displayLayout = 0;        // PlatformDisplayLayout when the saver last followed it
    void* powerSettings[PowerSettingCount] = {}; // the window's power-setting registrations
    bool energySaverHeard = false;     // energy saver's own status came: battery saver's no longer counts
    bool powerSettingHeard[PowerSettingCount] = {}; // each setting's first answer came
    std::shared_ptr<PendingCheck> check; // the DirectX check, begun before the saver window is made
};
