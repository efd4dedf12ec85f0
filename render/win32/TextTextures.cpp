#include "render/win32/TextTextures.h"

#include "render/DrawList.h"

#include <algorithm>

namespace {

// The saver's glyphs have always sat one pixel up and left of where GDI puts
// them in their box; the frames keep that place.
constexpr int GlyphOffset = -1;
// GDI draws the glyphs this far into the texture, so that with the offset
// no glyph reaches further than GlyphReach past its box.
constexpr int Margin = GlyphReach + GlyphOffset;

UINT PowerOfTwo(int size)
{
    UINT power = 1;
    while (power < static_cast<UINT>(size))
        power *= 2;
    return power;
}

// The largest power of two the device takes as a texture side.
int LargestSide(DWORD deviceLimit)
{
    UINT side = 1;
    while (side * 2 <= deviceLimit && side * 2 <= (1u << 14))
        side *= 2;
    return static_cast<int>(side);
}

// A managed texture (it survives a reset) of power-of-two sides, which every
// device takes, holding the coverage as alpha over white. Stays empty when
// nothing is covered; false when the texture can't be made.
bool MakeTexture(IDirect3DDevice9* device, const GdiText::Coverage& coverage, TextTexture& drawn)
{
    const UINT textureWidth = PowerOfTwo(coverage.width), textureHeight = PowerOfTwo(coverage.height);
    IDirect3DTexture9* texture = nullptr;
    if (FAILED(device->CreateTexture(textureWidth, textureHeight, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture,
                                     nullptr)))
        return false;
    D3DLOCKED_RECT locked{};
    if (FAILED(texture->LockRect(0, &locked, nullptr, 0))) {
        texture->Release();
        return false;
    }
    bool ink = false;
    for (UINT y = 0; y < textureHeight; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<char*>(locked.pBits) + static_cast<size_t>(y) * locked.Pitch);
        std::fill(row, row + textureWidth, 0x00FFFFFFu);
        if (static_cast<int>(y) >= coverage.height)
            continue;
        const uint32_t* source = coverage.pixels + static_cast<size_t>(y) * coverage.pitch;
        for (int x = 0; x < coverage.width; ++x) {
            // Grey antialiasing gives three equal channels; should subpixel
            // rendering slip in, the strongest channel is the coverage.
            const uint32_t pixel = source[x];
            const uint32_t level = std::max({pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF});
            row[x] |= level << 24;
            ink = ink || level != 0;
        }
    }
    texture->UnlockRect(0);
    if (!ink) {
        texture->Release();
        return true;
    }
    drawn.texture = texture;
    drawn.u = static_cast<float>(coverage.width) / static_cast<float>(textureWidth);
    drawn.v = static_cast<float>(coverage.height) / static_cast<float>(textureHeight);
    return true;
}

} // namespace

const TextTexture* TextTextures::Get(IDirect3DDevice9* device, GdiText& gdi, unsigned slot, const std::string& text,
                                     int width, int height, DWORD format)
{
    if (!device || width <= 0 || height <= 0)
        return nullptr;
    for (Entry& entry : entries)
        if (entry.slot == slot && entry.format == format && entry.boxWidth == width && entry.boxHeight == height &&
            entry.text == text) {
            entry.lastUse = frame;
            return &entry.drawn;
        }

    // A box larger than the largest texture is drawn as far as one reaches.
    D3DCAPS9 caps{};
    device->GetDeviceCaps(&caps);
    const int drawnWidth = std::min(width, LargestSide(caps.MaxTextureWidth) - 2 * Margin);
    const int drawnHeight = std::min(height, LargestSide(caps.MaxTextureHeight) - 2 * Margin);
    const GdiText::Coverage coverage = gdi.Render(slot, text, drawnWidth, drawnHeight, Margin, format);
    if (!coverage.pixels)
        return nullptr;
    TextTexture drawn;
    drawn.left = drawn.top = GlyphOffset - Margin;
    drawn.width = coverage.width;
    drawn.height = coverage.height;
    // A failure is not kept: the next frame tries again.
    if (!MakeTexture(device, coverage, drawn))
        return nullptr;
    entries.push_back(Entry{slot, format, width, height, text, frame, drawn});
    return &entries.back().drawn;
}

void TextTextures::FrameDone()
{
    ++frame;
    std::erase_if(entries, [this](const Entry& entry) {
        if (frame - entry.lastUse <= KeepFrames)
            return false;
        if (entry.drawn.texture)
            entry.drawn.texture->Release();
        return true;
    });
}

void TextTextures::Clear()
{
    for (Entry& entry : entries)
        if (entry.drawn.texture)
            entry.drawn.texture->Release();
    entries.clear();
}
