// Direct3D 9 textures through D3DX: pictures from files scaled to a requested
// size, the artwork from the module's bitmap resources, and panel textures.
// Every texture is A8R8G8B8 in the managed pool with one mip level; opaque
// pure black becomes transparent (the colour key).

#include "render/TextureRecord.h"

#include "platform/win32/D3dxLibrary.h"
#include "render/PictureHeader.h"
#include "render/RenderDevice.h"
#include "render/win32/RenderDeviceState.h"

namespace {

constexpr D3DCOLOR ColourKey = 0xFF000000;

IDirect3DDevice9* Device(const RenderDevice& device)
{
    return device.state ? device.state->Device() : nullptr;
}

// Without D3DX nothing can be made: every create fails with this.
constexpr HRESULT NoD3dx = D3DERR_NOTAVAILABLE;

} // namespace

void WINAPI PanelFill(D3DXVECTOR4* out, const D3DXVECTOR2* texCoord, const D3DXVECTOR2*, void*)
{
    *out = D3DXVECTOR4(texCoord->x, texCoord->y, 0.0f, 0.5f);
}

long TextureRecord::CreateFromFile(RenderDevice& device, const std::string& path, int requestedWidth, int requestedHeight)
{
    // A huge image or a file of too many scans is refused before D3DX reads it.
    if (!PictureAcceptable(path))
        return PictureRefused;
    const D3dxLibrary* d3dx = D3dx();
    if (!d3dx)
        return NoD3dx;
    IDirect3DTexture9* created = nullptr;
    D3DXIMAGE_INFO info{};
    HRESULT result = d3dx->CreateTextureFromFileExA(
        Device(device), path.c_str(), static_cast<UINT>(requestedWidth), static_cast<UINT>(requestedHeight), 1, 0,
        D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, ColourKey, &info, nullptr, &created);
    if (FAILED(result))
        return result;
    texture = reinterpret_cast<NativeTexture*>(created);
    width = static_cast<int32_t>(info.Width);
    height = static_cast<int32_t>(info.Height);
    name = path;
    ++refCount;
    return 0;
}

long TextureRecord::CreateFromResource(RenderDevice& device, int resourceId, int requestedWidth, int requestedHeight)
{
    const D3dxLibrary* d3dx = D3dx();
    if (!d3dx)
        return NoD3dx;
    IDirect3DTexture9* created = nullptr;
    D3DXIMAGE_INFO info{};
    HRESULT result = d3dx->CreateTextureFromResourceExA(
        Device(device), nullptr, MAKEINTRESOURCEA(resourceId), static_cast<UINT>(requestedWidth),
        static_cast<UINT>(requestedHeight), 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT,
        ColourKey, &info, nullptr, &created);
    if (FAILED(result))
        return result;
    texture = reinterpret_cast<NativeTexture*>(created);
    width = static_cast<int32_t>(info.Width);
    height = static_cast<int32_t>(info.Height);
    name = ResourceTextureName;
    ++refCount;
    return 0;
}

long TextureRecord::CreateFilled(RenderDevice& device, int requestedWidth, int requestedHeight)
{
    const D3dxLibrary* d3dx = D3dx();
    if (!d3dx)
        return NoD3dx;
    IDirect3DTexture9* created = nullptr;
    HRESULT result = d3dx->CreateTexture(Device(device), static_cast<UINT>(requestedWidth),
                                         static_cast<UINT>(requestedHeight), 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                                         &created);
    if (FAILED(result))
        return result;
    d3dx->FillTexture(created, PanelFill, nullptr);
    texture = reinterpret_cast<NativeTexture*>(created);
    width = requestedWidth;
    height = requestedHeight;
    name.clear();
    ++refCount;
    return 0;
}

void TextureRecord::ReleaseRef()
{
    if (!texture)
        return;
    if (--refCount <= 0) {
        D3DTexture(texture)->Release();
        texture = nullptr;
    }
}
