// The change-password mode: the platform's password provider does it all.

#include "host/win32/WinHost.h"

#include "platform/win32/SystemLibrary.h"

#include <windows.h>

void ChangePassword(WindowHandle parent)
{
    using PwdChangePasswordFn = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, LPVOID);
    HMODULE mpr = LoadSystemLibrary("MPR.DLL");
    if (mpr == nullptr) return;
    auto change = reinterpret_cast<PwdChangePasswordFn>(reinterpret_cast<void*>(GetProcAddress(mpr, "PwdChangePasswordA")));
    if (change != nullptr) change("SCRSAVE", static_cast<HWND>(parent), 0, nullptr);
    FreeLibrary(mpr);
}
