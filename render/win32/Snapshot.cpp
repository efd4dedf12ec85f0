// The last presented frame written as PNG. A device asked to keep its frames
// copies the back buffer at every Present (a blit on the device); otherwise
// the back buffer itself is read, which holds the presented frame where the
// flip leaves contents in place (as wine does).

#include "render/RenderDevice.h"

#include "platform/win32/Wic.h"
#include "render/win32/RenderDeviceState.h"

#include <vector>

namespace {

IDirect3DSurface9* BackBuffer(IDirect3DDevice9* device)
{
    IDirect3DSurface9* backBuffer = nullptr;
    device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
    return backBuffer;
}

// The surface's pixels as rows of 24-bit BGR, dropping the unused byte.
HRESULT ReadRows(IDirect3DSurface9* surface, const D3DSURFACE_DESC& desc, std::vector<BYTE>& rows)
{
    if (desc.Format != D3DFMT_X8R8G8B8 && desc.Format != D3DFMT_A8R8G8B8)
        return D3DERR_INVALIDCALL;
    D3DLOCKED_RECT locked{};
    HRESULT result = surface->LockRect(&locked, nullptr, D3DLOCK_READONLY);
    if (FAILED(result))
        return result;
    rows.resize(static_cast<size_t>(desc.Width) * desc.Height * 3);
    BYTE* out = rows.data();
    for (UINT y = 0; y < desc.Height; ++y) {
        const BYTE* in = static_cast<const BYTE*>(locked.pBits) + static_cast<size_t>(y) * locked.Pitch;
        for (UINT x = 0; x < desc.Width; ++x, in += 4, out += 3) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
        }
    }
    surface->UnlockRect();
    return D3D_OK;
}

} // namespace

void KeepBackBuffer(IDirect3DDevice9* device, IDirect3DSurface9*& copy)
{
    IDirect3DSurface9* backBuffer = BackBuffer(device);
    if (!backBuffer)
        return;
    D3DSURFACE_DESC desc{};
    backBuffer->GetDesc(&desc);
    if (!copy)
        device->CreateRenderTarget(desc.Width, desc.Height, desc.Format, D3DMULTISAMPLE_NONE, 0, FALSE, &copy,
                                   nullptr);
    if (copy)
        device->StretchRect(backBuffer, nullptr, copy, nullptr, D3DTEXF_NONE);
    backBuffer->Release();
}

int RenderDevice::SaveSnapshot(const std::string& pngPath)
{
    IDirect3DDevice9* device = state ? state->Device() : nullptr;
    if (!device || pngPath.empty())
        return 1;
    IDirect3DSurface9* source = state->presentedFrame;
    if (source)
        source->AddRef();
    else
        source = BackBuffer(device);
    if (!source)
        return 1;
    D3DSURFACE_DESC desc{};
    source->GetDesc(&desc);
    IDirect3DSurface9* copy = nullptr;
    HRESULT result =
        device->CreateOffscreenPlainSurface(desc.Width, desc.Height, desc.Format, D3DPOOL_SYSTEMMEM, &copy, nullptr);
    if (SUCCEEDED(result))
        result = device->GetRenderTargetData(source, copy);
    std::vector<BYTE> rows;
    if (SUCCEEDED(result))
        result = ReadRows(copy, desc, rows);
    if (copy)
        copy->Release();
    source->Release();
    ComApartment apartment;
    if (SUCCEEDED(result))
        result = WriteImageFile(CreateWicFactory().Get(), pngPath.c_str(), GUID_ContainerFormatPng, desc.Width,
                                desc.Height, rows);
    return SUCCEEDED(result) ? 0 : 1;
}
