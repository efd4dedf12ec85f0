#pragma once
// Direct3D 9 objects of the render device. Only render/win32 and the Windows
// tests see them; the portable code knows RenderDeviceState by name only.

#include "render/FontKind.h"

#include <d3d9.h>
#include <d3dx9.h>

constexpr DWORD QuadVertexFormat = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1; // 0x144
constexpr unsigned MaxAdapterGroup = 16;
constexpr unsigned FontCount = 4;

struct QuadVertex {
    float x, y, z, rhw;
    D3DCOLOR diffuse;
    float u, v;
};
static_assert(sizeof(QuadVertex) == 28, "the quad buffer holds four 28-byte vertices");

struct RenderDeviceState {
    IDirect3DVertexBuffer9* quadBuffer = nullptr;
    IDirect3D9* direct3d = nullptr;
    UINT adapterGroupCount = 0;
    D3DCAPS9 caps[MaxAdapterGroup] = {};
    IDirect3DDevice9* devices[MaxAdapterGroup] = {};
    // Fonts in the order Text, TextBold, Accent, Heading.
    ID3DXFont* fonts[FontCount] = {};
    D3DXFONT_DESCA fontDescriptions[FontCount] = {};
    int averageCharWidths[FontCount] = {};
    // Copy of the last presented frame, kept when a snapshot was asked for.
    IDirect3DSurface9* presentedFrame = nullptr;
    // What the device was created with; a reset after a loss uses them again.
    D3DPRESENT_PARAMETERS presentParameters = {};

    IDirect3DDevice9* Device() const { return devices[0]; }
};

// Slot of a font kind in the tables above; unknown kinds are Text.
unsigned FontSlot(FontKind kind);

// The D3DXFillTexture function of panel textures: red = u, green = v, half alpha.
void WINAPI PanelFill(D3DXVECTOR4* out, const D3DXVECTOR2* texCoord, const D3DXVECTOR2* texelSize, void* data);

inline IDirect3DTexture9* D3DTexture(struct NativeTexture* texture)
{
    return reinterpret_cast<IDirect3DTexture9*>(texture);
}

// Copies the back buffer into a render target made on first use.
void KeepBackBuffer(IDirect3DDevice9* device, IDirect3DSurface9*& copy);
