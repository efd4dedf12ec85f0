// The last presented frame written as PNG. A device asked to keep its frames
// copies the back buffer at every Present (a blit on the device); otherwise
// the back buffer itself is read, which holds the presented frame where the
// flip leaves contents in place (as wine does).

#include "render/RenderDevice.h"

#include "platform/win32/D3dxLibrary.h"
#include "render/win32/RenderDeviceState.h"

#include <windows.h>

namespace {

IDirect3DSurface9* BackBuffer(IDirect3DDevice9* device)
{
    IDirect3DSurface9* backBuffer = nullptr;
    device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
    return backBuffer;
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
    const D3dxLibrary* d3dx = D3dx();
    if (!device || !d3dx || pngPath.empty())
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
    if (SUCCEEDED(result))
        result = d3dx->SaveSurfaceToFileA(pngPath.c_str(), D3DXIFF_PNG, copy, nullptr, nullptr);
    if (copy)
        copy->Release();
    source->Release();
    return SUCCEEDED(result) ? 0 : 1;
}
