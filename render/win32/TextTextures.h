#pragma once
// Text boxes rendered by GDI and kept as textures while their text, font,
// format and box size stay the same: the overlay's texts change a few times
// a minute, the clocks once a second. A texture not drawn in the last few
// frames is dropped, so the changing clocks don't pile up.
//
// A texture holds the glyphs' coverage as alpha over white; the quad's
// colour gives the text its colour.

#include "render/win32/GdiText.h"

#include <d3d9.h>

#include <cstdint>
#include <string>
#include <vector>

struct TextTexture {
    // nullptr: the text has no ink (blanks only), there is nothing to draw.
    IDirect3DTexture9* texture = nullptr;
    // The drawn area, from the box's top left corner: the box and the
    // glyphs reaching past it, less what the largest texture can't hold.
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    // The texture coordinates of the area's bottom right corner.
    float u = 1.0f;
    float v = 1.0f;
};

class TextTextures {
public:
    TextTextures() = default;
    ~TextTextures() { Clear(); }
    TextTextures(const TextTextures&) = delete;
    TextTextures& operator=(const TextTextures&) = delete;

    // The text laid out in a box of that size, rendered on first use;
    // nullptr when it can't be rendered. Valid until the next Get.
    const TextTexture* Get(IDirect3DDevice9* device, GdiText& gdi, unsigned slot, const std::string& text, int width,
                           int height, DWORD format);
    // A frame's draws are done: drops what the last KeepFrames frames didn't draw.
    void FrameDone();
    void Clear();
    size_t Size() const { return entries.size(); }

    static constexpr uint64_t KeepFrames = 4;

private:
    struct Entry {
        unsigned slot;
        DWORD format;
        int boxWidth;
        int boxHeight;
        std::string text;
        uint64_t lastUse;
        TextTexture drawn;
    };
    std::vector<Entry> entries;
    uint64_t frame = 0;
};
