// How the saver gets Direct3D 9: d3d9.dll loaded when the device is made,
// and under wine without its command-stream thread.

#include "platform/win32/Direct3d.h"

#include "platform/win32/SystemLibrary.h"

#include <windows.h>

namespace {

constexpr const char* WineDirect3dVariable = "WINE_D3D_CONFIG";
constexpr const char* WineDirect3dSetting = "csmt=0x0";

bool UnderWine()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

HMODULE Direct3d9Module()
{
    // Kept loaded until the process ends: the device lives on its code.
    static HMODULE module = LoadSystemLibrary("d3d9.dll");
    return module;
}

} // namespace

void PrepareDirect3d()
{
    if (!UnderWine() || GetEnvironmentVariableA(WineDirect3dVariable, nullptr, 0) > 1) // one of the user's own
        return;
    SetEnvironmentVariableA(WineDirect3dVariable, WineDirect3dSetting);
    // wine's Direct3D reads the variable through the C run time it imports,
    // which took its copy of the environment when it was loaded.
    using PutEnv = int(__cdecl*)(const char*, const char*);
    if (HMODULE runtime = GetModuleHandleA("ucrtbase.dll")) {
        auto putEnv = reinterpret_cast<PutEnv>(reinterpret_cast<void*>(GetProcAddress(runtime, "_putenv_s")));
        if (putEnv != nullptr) putEnv(WineDirect3dVariable, WineDirect3dSetting);
    }
}

bool Direct3d9Loads()
{
    return Direct3d9Module() != nullptr;
}

IDirect3D9* CreateDirect3d9()
{
    HMODULE module = Direct3d9Module();
    if (module == nullptr) return nullptr;
    using Create = IDirect3D9*(WINAPI*)(UINT);
    auto create = reinterpret_cast<Create>(reinterpret_cast<void*>(GetProcAddress(module, "Direct3DCreate9")));
    return create != nullptr ? create(D3D_SDK_VERSION) : nullptr;
}

std::shared_ptr<DisplayAdapters> OpenDisplayAdapters()
{
    IDirect3D9* direct3d = CreateDirect3d9();
    return direct3d != nullptr ? std::make_shared<DisplayAdapters>(direct3d) : nullptr;
}
