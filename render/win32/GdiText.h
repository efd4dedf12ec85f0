#pragma once
// The four overlay fonts as GDI fonts in one memory DC: text is measured
// with GDI's DrawText and rendered by it, white on black, into a scratch DIB
// section whose grey levels are the glyphs' coverage.

#include "render/FontKind.h"

#include <windows.h>

#include <cstdint>
#include <string>

class GdiText {
public:
    GdiText() = default;
    ~GdiText() { Release(); }
    GdiText(const GdiText&) = delete;
    GdiText& operator=(const GdiText&) = delete;

    // The DC and the four fonts at the overlay's scale; false when any is missing.
    bool Create(double scale);
    void Release();
    bool HasFont(unsigned slot) const { return slot < FontCount && fonts[slot]; }

    const LOGFONTA& Description(unsigned slot) const { return descriptions[slot]; }
    const TEXTMETRICA& Metrics(unsigned slot) const { return metrics[slot]; }

    // Sets the rectangle's right and bottom to the extent of the text's
    // lines; false (the rectangle untouched) when it can't be measured.
    bool Measure(unsigned slot, const std::string& text, RECT& rect) const;

    // The text laid out in a box of width x height, drawn with format into
    // the scratch bitmap at margin from its top left corner, so glyphs that
    // reach past the box are kept. Rows of 32-bit pixels, top down, pitch
    // pixels apart; nullptr when it can't be drawn.
    struct Coverage {
        const uint32_t* pixels = nullptr;
        int width = 0;
        int height = 0;
        int pitch = 0;
    };
    Coverage Render(unsigned slot, const std::string& text, int width, int height, int margin, DWORD format);

private:
    bool EnsureScratch(int width, int height);

    HDC dc = nullptr;
    HGDIOBJ originalFont = nullptr;
    HGDIOBJ originalBitmap = nullptr;
    HFONT fonts[FontCount] = {};
    LOGFONTA descriptions[FontCount] = {};
    TEXTMETRICA metrics[FontCount] = {};
    // Grows to the largest text drawn so far; one is enough, texts are drawn one at a time.
    HBITMAP scratch = nullptr;
    uint32_t* scratchBits = nullptr;
    int scratchWidth = 0;
    int scratchHeight = 0;
};
