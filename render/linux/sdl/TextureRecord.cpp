// SDL textures: pictures decoded with TurboJPEG and scaled to a requested
// size, the artwork from the bitmaps built into the program, and panel
// textures. Every texture is ARGB8888 and blends by its alpha; opaque pure
// black becomes transparent (the colour key), as the Windows loader does.

#include "render/TextureRecord.h"

#include "render/PictureDecodes.h"
#include "render/PictureHeader.h"
#include "render/RenderDevice.h"
#include "render/linux/sdl/Artwork.h"
#include "render/linux/sdl/RenderDeviceState.h"

#include <turbojpeg.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

// A picture decoded, scaled and keyed, ready for a texture on any renderer.
struct DecodedPicture {
    SDL_Surface* surface = nullptr;
    int width = 0; // the picture's own size
    int height = 0;
    DecodedPicture() = default;
    DecodedPicture(const DecodedPicture&) = delete;
    DecodedPicture& operator=(const DecodedPicture&) = delete;
    ~DecodedPicture() { SDL_FreeSurface(surface); }
};

namespace {

constexpr uint32_t ColourKey = 0xFF000000;
constexpr int DecodeFlags = TJFLAG_ACCURATEDCT | TJFLAG_LIMITSCANS | TJFLAG_STOPONWARNING;

SDL_Renderer* Renderer(const RenderDevice& device)
{
    return device.NativeState() ? device.NativeState()->renderer : nullptr;
}

void ApplyColourKey(SDL_Surface* surface)
{
    SDL_LockSurface(surface);
    for (int y = 0; y < surface->h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
        for (int x = 0; x < surface->w; ++x)
            if (row[x] == ColourKey) row[x] = 0;
    }
    SDL_UnlockSurface(surface);
}

// A texture of the surface's pixels; the surface stays the caller's.
NativeTexture* TextureOf(const RenderDevice& device, SDL_Surface* surface)
{
    SDL_Texture* texture = Renderer(device) ? SDL_CreateTextureFromSurface(Renderer(device), surface) : nullptr;
    if (texture) SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    return reinterpret_cast<NativeTexture*>(texture);
}

// Keys the surface and makes it a texture; the surface is freed either way.
NativeTexture* TextureFrom(const RenderDevice& device, SDL_Surface* surface, bool keyed)
{
    if (!surface) return nullptr;
    if (keyed) ApplyColourKey(surface);
    NativeTexture* texture = TextureOf(device, surface);
    SDL_FreeSurface(surface);
    return texture;
}

// The DCT scale that decodes the least while keeping both sides at least the
// target's; only a picture twice the target's size or more is scaled so.
tjscalingfactor DecodeScale(int width, int height, int targetWidth, int targetHeight)
{
    tjscalingfactor chosen{1, 1};
    if (targetWidth <= 0 || targetHeight <= 0 || width < 2 * targetWidth || height < 2 * targetHeight) return chosen;
    int count = 0;
    const tjscalingfactor* factors = tjGetScalingFactors(&count);
    for (int i = 0; i < count; ++i) {
        const tjscalingfactor f = factors[i];
        if (f.num > f.denom || TJSCALED(width, f) < targetWidth || TJSCALED(height, f) < targetHeight) continue;
        if (f.num * chosen.denom < chosen.num * f.denom) chosen = f;
    }
    return chosen;
}

// The JPEG at path decoded (DCT-scaled when large) into an ARGB8888 surface;
// nullptr when it is no JPEG TurboJPEG reads.
SDL_Surface* DecodeJpeg(const std::string& path, int targetWidth, int targetHeight, int& width, int& height)
{
    std::ifstream file(path, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (bytes.empty()) return nullptr;
    tjhandle decoder = tjInitDecompress();
    if (!decoder) return nullptr;
    SDL_Surface* surface = nullptr;
    int subsampling = 0, colourspace = 0;
    // The decoder's own reading of the header must be within the limits too.
    if (tjDecompressHeader3(decoder, bytes.data(), bytes.size(), &width, &height, &subsampling, &colourspace) == 0 &&
        width <= MaxPictureSide && height <= MaxPictureSide &&
        static_cast<int64_t>(width) * height <= MaxPicturePixels) {
        const tjscalingfactor scale = DecodeScale(width, height, targetWidth, targetHeight);
        const int w = TJSCALED(width, scale), h = TJSCALED(height, scale);
        surface = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
        // BGRA bytes are ARGB8888 words on a little-endian machine. The decoder
        // gives up on a file of too many scans or at its first complaint
        // instead of working through the rest of a broken file.
        if (surface && tjDecompress2(decoder, bytes.data(), bytes.size(), static_cast<unsigned char*>(surface->pixels), w,
                                     surface->pitch, h, TJPF_BGRA, DecodeFlags) != 0) {
            SDL_FreeSurface(surface);
            surface = nullptr;
        }
    }
    tjDestroy(decoder);
    return surface;
}

// The surface stretched (bilinear) to the target size; the source is freed.
SDL_Surface* ScaledTo(SDL_Surface* source, int targetWidth, int targetHeight)
{
    if (!source || targetWidth <= 0 || targetHeight <= 0 || (source->w == targetWidth && source->h == targetHeight))
        return source;
    SDL_Surface* scaled = SDL_CreateRGBSurfaceWithFormat(0, targetWidth, targetHeight, 32, SDL_PIXELFORMAT_ARGB8888);
    if (scaled && SDL_SoftStretchLinear(source, nullptr, scaled, nullptr) != 0) {
        SDL_FreeSurface(scaled);
        scaled = nullptr;
    }
    SDL_FreeSurface(source);
    return scaled;
}

// The record takes a texture just made (nullptr: none could be made).
long Keep(TextureRecord& record, NativeTexture* created, int width, int height, const std::string& name)
{
    if (!created) return 1;
    record.texture = created;
    record.width = width;
    record.height = height;
    record.name = name;
    return 0;
}

} // namespace

long TextureRecord::CreateFromFile(RenderDevice& device, const std::string& path, int requestedWidth, int requestedHeight,
                                   PictureDecodes* decodes)
{
    std::shared_ptr<const DecodedPicture> kept = decodes ? decodes->Find(path, requestedWidth, requestedHeight) : nullptr;
    if (!kept) {
        // A huge image or a file of too many scans is refused before it is decoded.
        if (!PictureAcceptable(path)) return PictureRefused;
        auto decodedNow = std::make_shared<DecodedPicture>();
        SDL_Surface* decoded = DecodeJpeg(path, requestedWidth, requestedHeight, decodedNow->width, decodedNow->height);
        if (!decoded) return PictureRefused;
        decodedNow->surface = ScaledTo(decoded, requestedWidth, requestedHeight);
        if (!decodedNow->surface) return 1;
        ApplyColourKey(decodedNow->surface);
        if (decodes) decodes->Keep(path, requestedWidth, requestedHeight, decodedNow);
        kept = std::move(decodedNow);
    }
    return Keep(*this, TextureOf(device, kept->surface), kept->width, kept->height, path);
}

// TurboJPEG decodes a screen-sized picture in a few milliseconds: it
// decodes when it is loaded.
void RenderDevice::PrefetchPicture(const std::string&, const DeviceSetup&) {}

long TextureRecord::CreateFromResource(RenderDevice& device, int resourceId, int requestedWidth, int requestedHeight)
{
    for (size_t i = 0; i < ArtworkFileCount; ++i) {
        const ArtworkFile& artwork = ArtworkFiles[i];
        if (artwork.resourceId != resourceId) continue;
        SDL_Surface* loaded = SDL_LoadBMP_RW(SDL_RWFromConstMem(artwork.bytes, static_cast<int>(artwork.size)), 1);
        SDL_Surface* argb = loaded ? SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0) : nullptr;
        SDL_FreeSurface(loaded);
        if (!argb) return 1;
        const int sourceWidth = argb->w, sourceHeight = argb->h;
        return Keep(*this, TextureFrom(device, ScaledTo(argb, requestedWidth, requestedHeight), true), sourceWidth,
                    sourceHeight, ResourceTextureName);
    }
    return 1;
}

// Panel textures: red follows u, green follows v, half alpha at every texel
// centre, as the Windows fill function makes them.
long TextureRecord::CreateFilled(RenderDevice& device, int requestedWidth, int requestedHeight)
{
    if (requestedWidth <= 0 || requestedHeight <= 0) return 1;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, requestedWidth, requestedHeight, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!surface) return 1;
    for (int y = 0; y < requestedHeight; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
        const auto green = static_cast<uint32_t>((y + 0.5) / requestedHeight * 255.0 + 0.5);
        for (int x = 0; x < requestedWidth; ++x) {
            const auto red = static_cast<uint32_t>((x + 0.5) / requestedWidth * 255.0 + 0.5);
            row[x] = 0x80000000u | red << 16 | green << 8;
        }
    }
    return Keep(*this, TextureFrom(device, surface, false), requestedWidth, requestedHeight, std::string());
}

void TextureRecord::Release()
{
    if (!texture) return;
    SDL_DestroyTexture(SdlTexture(texture));
    texture = nullptr;
}
