#pragma once
// Direct3D 9 objects of the render device. Only render/win32 and the Windows
// tests see them; the portable code knows RenderDeviceState by name only.

#include "render/DeviceRecovery.h"
#include "render/FontKind.h"
#include "render/win32/DrawBatch.h"
#include "render/win32/GdiText.h"
#include "render/win32/TextTextures.h"

#include <d3d9.h>

struct RenderDeviceState {
    // The scene's draws, carried out at its end through one dynamic buffer.
    DrawBatch batch;
    IDirect3DVertexBuffer9* quadBuffer = nullptr;
    UINT quadBufferQuads = 0;
    bool inScene = false;
    // The last scene's batch failed: its frame is incomplete, whatever Present says.
    bool batchFailed = false;
    IDirect3D9* direct3d = nullptr; // the setup's DisplayAdapters' own
    IDirect3DDevice9* device = nullptr;
    // The fonts (by FontSlot), measuring and rendering text.
    GdiText text;
    // Rendered text boxes, kept from frame to frame.
    TextTextures textTextures;
    // Copy of the last presented frame, kept when a snapshot was asked for.
    IDirect3DSurface9* presentedFrame = nullptr;
    // What the device was created with; a reset after a loss uses them again.
    D3DPRESENT_PARAMETERS presentParameters = {};

    IDirect3DDevice9* Device() const { return device; }
};

// Releases a COM object once and forgets it.
template <typename T> void SafeRelease(T*& object)
{
    if (object) {
        object->Release();
        object = nullptr;
    }
}

// One row of a panel texture: red = u, green = v at the texel centres, half alpha.
void FillPanel(uint32_t* row, int y, int width, int height);

inline IDirect3DTexture9* D3DTexture(struct NativeTexture* texture)
{
    return reinterpret_cast<IDirect3DTexture9*>(texture);
}

// A Direct3D result as the recovery of a lost device reads it.
DeviceState StateOf(HRESULT result);

// Copies the back buffer into a render target made on first use.
void KeepBackBuffer(IDirect3DDevice9* device, IDirect3DSurface9*& copy);
