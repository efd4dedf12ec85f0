// Direct3D 9 textures: pictures from files scaled to a requested size, the
// artwork from the module's bitmap resources, and panel textures. Pictures
// and bitmaps are decoded by WIC on a helper thread (DecodeAside); here the
// pixels fill the texture on the device's thread. Every texture is A8R8G8B8
// in the managed pool with one level.

#include "render/TextureRecord.h"

#include "render/PictureDecodes.h"
#include "render/RenderDevice.h"
#include "render/win32/DecodeAside.h"
#include "render/win32/RenderDeviceState.h"

#include <cstring>
#include <memory>

// A picture's pixels, as the decode left them.
struct DecodedPicture {
    DecodedImage image;
};

namespace {

IDirect3DDevice9* Device(const RenderDevice& device)
{
    return device.NativeState() ? device.NativeState()->Device() : nullptr;
}

HRESULT CreateTexture(const RenderDevice& device, int width, int height, IDirect3DTexture9*& texture)
{
    IDirect3DDevice9* d3d = Device(device);
    if (!d3d || width <= 0 || height <= 0)
        return D3DERR_INVALIDCALL;
    return d3d->CreateTexture(static_cast<UINT>(width), static_cast<UINT>(height), 1, 0, D3DFMT_A8R8G8B8,
                              D3DPOOL_MANAGED, &texture, nullptr);
}

// A texture of the image's size holding its pixels.
HRESULT TextureOf(const RenderDevice& device, const DecodedImage& image, IDirect3DTexture9*& texture)
{
    HRESULT result = CreateTexture(device, image.width, image.height, texture);
    if (FAILED(result))
        return result;
    D3DLOCKED_RECT locked{};
    result = texture->LockRect(0, &locked, nullptr, 0);
    if (FAILED(result)) {
        SafeRelease(texture);
        return result;
    }
    const size_t rowBytes = static_cast<size_t>(image.width) * sizeof(uint32_t);
    for (int y = 0; y < image.height; ++y)
        memcpy(static_cast<BYTE*>(locked.pBits) + static_cast<size_t>(y) * locked.Pitch,
               image.pixels.data() + static_cast<size_t>(y) * image.width, rowBytes);
    texture->UnlockRect(0);
    return D3D_OK;
}

} // namespace

void FillPanel(uint32_t* row, int y, int width, int height)
{
    // Texel centres: red = u, green = v, alpha one half (0x80, as a float
    // 0.5 rounds to a byte), blue 0.
    const uint32_t green = static_cast<uint32_t>((y + 0.5f) / height * 255.0f + 0.5f);
    for (int x = 0; x < width; ++x) {
        const uint32_t red = static_cast<uint32_t>((x + 0.5f) / width * 255.0f + 0.5f);
        row[x] = 0x80000000u | red << 16 | green << 8;
    }
}

long TextureRecord::CreateFromFile(RenderDevice& device, const std::string& path, int requestedWidth,
                                   int requestedHeight, PictureDecodes* decodes)
{
    std::shared_ptr<const DecodedPicture> kept =
        decodes ? decodes->Find(path, requestedWidth, requestedHeight) : nullptr;
    if (!kept) {
        auto decodedNow = std::make_shared<DecodedPicture>();
        const long decoded = DecodeFileAside(device, path, requestedWidth, requestedHeight, decodedNow->image);
        if (decoded != 0)
            return decoded;
        if (decodes)
            decodes->Keep(path, requestedWidth, requestedHeight, decodedNow);
        kept = std::move(decodedNow);
    }
    const DecodedImage& image = kept->image;
    IDirect3DTexture9* created = nullptr;
    const HRESULT result = TextureOf(device, image, created);
    if (FAILED(result))
        return result;
    texture = reinterpret_cast<NativeTexture*>(created);
    width = image.sourceWidth;
    height = image.sourceHeight;
    name = path;
    return 0;
}

long TextureRecord::CreateFromResource(RenderDevice& device, int resourceId, int requestedWidth, int requestedHeight)
{
    DecodedImage image;
    const long decoded = DecodeAside(
        device, [=] { return DecodeResourceImage(resourceId, requestedWidth, requestedHeight); }, image);
    if (decoded != 0)
        return decoded;
    IDirect3DTexture9* created = nullptr;
    const HRESULT result = TextureOf(device, image, created);
    if (FAILED(result))
        return result;
    texture = reinterpret_cast<NativeTexture*>(created);
    width = image.sourceWidth;
    height = image.sourceHeight;
    name = ResourceTextureName;
    return 0;
}

long TextureRecord::CreateFilled(RenderDevice& device, int requestedWidth, int requestedHeight)
{
    IDirect3DTexture9* created = nullptr;
    HRESULT result = CreateTexture(device, requestedWidth, requestedHeight, created);
    if (FAILED(result))
        return result;
    D3DLOCKED_RECT locked{};
    if (SUCCEEDED(created->LockRect(0, &locked, nullptr, 0))) {
        for (int y = 0; y < requestedHeight; ++y) {
            auto* row = static_cast<BYTE*>(locked.pBits) + static_cast<size_t>(y) * locked.Pitch;
            FillPanel(reinterpret_cast<uint32_t*>(row), y, requestedWidth, requestedHeight);
        }
        created->UnlockRect(0);
    }
    texture = reinterpret_cast<NativeTexture*>(created);
    width = requestedWidth;
    height = requestedHeight;
    name.clear();
    return 0;
}

void TextureRecord::Release()
{
    if (!texture)
        return;
    D3DTexture(texture)->Release();
    texture = nullptr;
}
