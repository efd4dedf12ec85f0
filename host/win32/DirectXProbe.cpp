// The installed DirectX version on Windows: DxDiag's system information and
// the file versions of the DirectX system libraries; d3d9.dll loaded from
// the system folder.

#include "host/win32/DirectXCheck.h"
#include "platform/Platform.h"
#include "platform/win32/Direct3d.h"

#include <windows.h>
#include <initguid.h>
#include <dxdiag.h>

#include <vector>

namespace {

// Reads one property of the container; the callback takes it when it has the wanted type.
template <typename Take>
bool ReadProperty(IDxDiagContainer* container, const wchar_t* name, VARTYPE type, Take take)
{
    VARIANT value;
    VariantInit(&value);
    bool taken = false;
    if (SUCCEEDED(container->GetProp(name, &value)) && value.vt == type) taken = take(value);
    VariantClear(&value);
    return taken;
}

bool ReadSystemInfo(IDxDiagContainer* info, uint32_t& major, uint32_t& minor, char& letter)
{
    bool haveMajor = ReadProperty(info, L"dwDirectXVersionMajor", VT_UI4, [&](const VARIANT& v) { major = v.ulVal; return true; });
    bool haveMinor = ReadProperty(info, L"dwDirectXVersionMinor", VT_UI4, [&](const VARIANT& v) { minor = v.ulVal; return true; });
    bool haveLetter = ReadProperty(info, L"szDirectXVersionLetter", VT_BSTR, [&](const VARIANT& v) {
        UINT length = SysStringLen(v.bstrVal);
        if (length == 0) return false;
        char text[10] = {};
        WideCharToMultiByte(CP_ACP, 0, v.bstrVal, static_cast<int>(length), text, sizeof text, nullptr, nullptr);
        letter = text[0];
        return true;
    });
    return haveMajor && haveMinor && haveLetter;
}

} // namespace

long ReadDxDiagVersion(uint32_t& major, uint32_t& minor, char& letter)
{
    bool comStarted = SUCCEEDED(CoInitialize(nullptr));
    bool allRead = false;
    IDxDiagProvider* provider = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_DxDiagProvider, nullptr, CLSCTX_INPROC_SERVER, IID_IDxDiagProvider, reinterpret_cast<void**>(&provider)))) {
        DXDIAG_INIT_PARAMS params{};
        params.dwSize = sizeof params;
        params.dwDxDiagHeaderVersion = DXDIAG_DX9_SDK_VERSION;
        params.bAllowWHQLChecks = FALSE;
        params.pReserved = nullptr;
        IDxDiagContainer* root = nullptr;
        if (SUCCEEDED(provider->Initialize(&params)) && SUCCEEDED(provider->GetRootContainer(&root))) {
            IDxDiagContainer* info = nullptr;
            if (SUCCEEDED(root->GetChildContainer(L"DxDiag_SystemInfo", &info))) {
                allRead = ReadSystemInfo(info, major, minor, letter);
                info->Release();
            }
            root->Release();
        }
        provider->Release();
    }
    if (comStarted) CoUninitialize();
    return allRead ? 0 : ProbeStatus::Fail;
}

long ReadFileVersion(const std::string& path, uint64_t* version)
{
    if (path.empty() || version == nullptr) return ProbeStatus::InvalidArg;
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0) return ProbeStatus::Fail;
    std::vector<char> buffer;
    try {
        buffer.resize(size);
    } catch (const std::bad_alloc&) {
        return ProbeStatus::OutOfMemory;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (!GetFileVersionInfoA(path.c_str(), 0, size, buffer.data())
        || !VerQueryValueA(buffer.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize) || fixed == nullptr)
        return ProbeStatus::Fail;
    *version = (static_cast<uint64_t>(fixed->dwFileVersionMS) << 32) | fixed->dwFileVersionLS;
    return 0;
}

bool ReadSystemDirectory(std::string& directory)
{
    char buffer[MAX_PATH];
    if (GetSystemDirectoryA(buffer, MAX_PATH) == 0) return false;
    buffer[MAX_PATH - 1] = '\0';
    directory = buffer;
    return true;
}

bool LoadDirect3d9()
{
    return Direct3d9Loads();
}

std::shared_ptr<DisplayAdapters> OpenDirect3d()
{
    return OpenDisplayAdapters();
}
