// The Windows 95/98/Me screen-saver password: PASSWORD.CPL verifies it when
// the user's desktop settings ask for one.

#include "host/win32/WinHost.h"

#include "host/win32/PlatformHostState.h"
#include "platform/win32/SystemLibrary.h"

#include <windows.h>

namespace {

using VerifyScreenSavePwdFn = BOOL(WINAPI*)(HWND);

HMODULE passwordModule = nullptr;
VerifyScreenSavePwdFn verifyScreenSavePwd = nullptr;

bool CallVerifier(WindowHandle window)
{
    return verifyScreenSavePwd(static_cast<HWND>(window)) != FALSE;
}

bool PasswordRequired()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD value = 0;
    DWORD size = sizeof value;
    bool required = RegQueryValueExA(key, "ScreenSaveUsePassword", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS
        && value != 0;
    RegCloseKey(key);
    return required;
}

void TellSaverRunning(bool running)
{
    UINT previous = 0;
    SystemParametersInfoA(SPI_SCREENSAVERRUNNING, running ? TRUE : FALSE, &previous, 0);
}

} // namespace

void LoadPasswordVerifier(PlatformHostState& host)
{
    if (!host.olderFamily) return;
    UnloadPasswordVerifier(host);
    if (!PasswordRequired()) return;
    passwordModule = LoadSystemLibrary("PASSWORD.CPL");
    if (passwordModule == nullptr) return;
    verifyScreenSavePwd = reinterpret_cast<VerifyScreenSavePwdFn>(reinterpret_cast<void*>(GetProcAddress(passwordModule, "VerifyScreenSavePwd")));
    if (verifyScreenSavePwd == nullptr) {
        FreeLibrary(passwordModule);
        passwordModule = nullptr;
        return;
    }
    host.verifier = CallVerifier;
    TellSaverRunning(true);
}

void UnloadPasswordVerifier(PlatformHostState& host)
{
    if (!host.olderFamily) return;
    if (passwordModule != nullptr) {
        FreeLibrary(passwordModule);
        passwordModule = nullptr;
    }
    if (host.verifier != nullptr) {
        host.verifier = nullptr;
        verifyScreenSavePwd = nullptr;
        TellSaverRunning(false);
    }
}
