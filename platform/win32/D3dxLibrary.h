#pragma once
// D3DX 9 taken from d3dx9_43.dll at run time instead of imported: Windows
// ships no D3DX, and a module importing it is refused by the loader before
// the DirectX check could tell the user what is missing.

#include <d3dx9.h>

inline constexpr const char* D3dxLibraryName = "d3dx9_43.dll";

// The few D3DX functions the device uses.
struct D3dxLibrary {
    decltype(&D3DXCreateFontIndirectA) CreateFontIndirectA = nullptr;
    decltype(&D3DXCreateSprite) CreateSprite = nullptr;
    decltype(&D3DXCreateTexture) CreateTexture = nullptr;
    decltype(&D3DXFillTexture) FillTexture = nullptr;
    decltype(&D3DXCreateTextureFromFileExA) CreateTextureFromFileExA = nullptr;
    decltype(&D3DXCreateTextureFromResourceExA) CreateTextureFromResourceExA = nullptr;
    decltype(&D3DXSaveSurfaceToFileA) SaveSurfaceToFileA = nullptr;
    decltype(&D3DXGetImageInfoFromFileA) GetImageInfoFromFileA = nullptr;
};

// The functions, loaded on first use and kept for the process; nullptr when
// the library or any of them is missing.
const D3dxLibrary* D3dx();
