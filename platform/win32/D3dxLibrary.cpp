// Loads d3dx9_43.dll once and takes its functions by name.

#include "platform/win32/D3dxLibrary.h"

#include <windows.h>

namespace {

template <typename Function> bool Take(HMODULE module, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return function != nullptr;
}

const D3dxLibrary* Load()
{
    // Kept loaded until the process ends: textures and fonts live on its code.
    // From the system folder only: the saver's own folder is the user's to
    // write in, and a library planted there or in the current folder must
    // not run as ours.
    HMODULE module = LoadLibraryExA(D3dxLibraryName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module)
        return nullptr;
    static D3dxLibrary library;
    bool complete = Take(module, "D3DXCreateFontIndirectA", library.CreateFontIndirectA)
                    && Take(module, "D3DXCreateSprite", library.CreateSprite)
                    && Take(module, "D3DXCreateTexture", library.CreateTexture)
                    && Take(module, "D3DXFillTexture", library.FillTexture)
                    && Take(module, "D3DXCreateTextureFromFileExA", library.CreateTextureFromFileExA)
                    && Take(module, "D3DXCreateTextureFromResourceExA", library.CreateTextureFromResourceExA)
                    && Take(module, "D3DXSaveSurfaceToFileA", library.SaveSurfaceToFileA)
                    && Take(module, "D3DXGetImageInfoFromFileA", library.GetImageInfoFromFileA);
    if (!complete) {
        FreeLibrary(module);
        return nullptr;
    }
    return &library;
}

} // namespace

const D3dxLibrary* D3dx()
{
    static const D3dxLibrary* library = Load();
    return library;
}
