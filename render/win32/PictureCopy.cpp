// The first picture without a draw: its pixels copied into the back buffer
// through a plain surface (StretchRect at the same size, outside a scene).
// The first draw of a device costs more than the copy: under wine it sets up
// the buffer memory and the fixed-function shaders, which the overlay's first
// frame then pays after the picture is already on screen.

#include "render/RenderDevice.h"

#include "render/TextureHandle.h"
#include "render/TextureRecord.h"
#include "render/win32/RenderDeviceState.h"

#include <cstring>

namespace {

// A texel the copy shows as the quad over black would: opaque, or the colour
// key's transparent black.
bool CopiesAsDrawn(uint32_t texel)
{
    return (texel >> 24) == 0xFF || texel == 0;
}

// The texture's pixels into surface, both of one size; false when a texel
// would blend (the quad must draw it) or a lock fails.
bool CopyPixels(IDirect3DTexture9* texture, IDirect3DSurface9* surface, UINT width, UINT height)
{
    D3DLOCKED_RECT from{}, to{};
    if (FAILED(texture->LockRect(0, &from, nullptr, D3DLOCK_READONLY)))
        return false;
    bool copied = SUCCEEDED(surface->LockRect(&to, nullptr, 0));
    for (UINT y = 0; copied && y < height; ++y) {
        const auto* in = reinterpret_cast<const uint32_t*>(static_cast<const BYTE*>(from.pBits) + y * from.Pitch);
        for (UINT x = 0; copied && x < width; ++x) copied = CopiesAsDrawn(in[x]);
        if (copied) std::memcpy(static_cast<BYTE*>(to.pBits) + y * to.Pitch, in, width * sizeof(uint32_t));
    }
    if (to.pBits) surface->UnlockRect();
    texture->UnlockRect(0);
    return copied;
}

} // namespace

bool RenderDevice::CopyPictureToBackBuffer()
{
    IDirect3DDevice9* device = state ? state->Device() : nullptr;
    const TextureRecord* record = picture.Record();
    if (!device || !picture.IsLoaded() || !record || !record->texture || state->inScene) return false;
    IDirect3DTexture9* texture = D3DTexture(record->texture);
    D3DSURFACE_DESC pictureDesc{}, screenDesc{};
    IDirect3DSurface9* backBuffer = nullptr;
    if (FAILED(texture->GetLevelDesc(0, &pictureDesc)) ||
        FAILED(device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer)))
        return false;
    backBuffer->GetDesc(&screenDesc);
    IDirect3DSurface9* plain = nullptr;
    // The same size and 32-bit pixels: a copy, no stretch and no conversion.
    bool shown = pictureDesc.Width == screenDesc.Width && pictureDesc.Height == screenDesc.Height &&
                 (screenDesc.Format == D3DFMT_X8R8G8B8 || screenDesc.Format == D3DFMT_A8R8G8B8) &&
                 SUCCEEDED(device->CreateOffscreenPlainSurface(screenDesc.Width, screenDesc.Height, screenDesc.Format,
                                                               D3DPOOL_DEFAULT, &plain, nullptr));
    shown = shown && CopyPixels(texture, plain, screenDesc.Width, screenDesc.Height) &&
            SUCCEEDED(device->StretchRect(plain, nullptr, backBuffer, nullptr, D3DTEXF_NONE));
    SafeRelease(plain);
    backBuffer->Release();
    return shown;
}
