#include "render/win32/GdiText.h"

#include "render/OverlayScale.h"

#include <cstring>

namespace {

// The overlay's font description: the system's default face at the style's
// height (times the overlay's scale) and weight, grey antialiased.
LOGFONTA Describe(const FontStyle& style, double scale)
{
    LOGFONTA description{};
    description.lfHeight = Scaled(style.height, scale);
    description.lfWidth = 0;
    description.lfWeight = style.weight;
    description.lfItalic = style.italic ? TRUE : FALSE;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfOutPrecision = OUT_DEVICE_PRECIS;
    description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    description.lfQuality = ANTIALIASED_QUALITY;
    description.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    description.lfFaceName[0] = '\0';
    return description;
}

} // namespace

bool GdiText::Create(double scale)
{
    Release();
    dc = CreateCompatibleDC(nullptr);
    if (!dc)
        return false;
    SetMapMode(dc, MM_TEXT);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    bool all = true;
    for (const FontStyle& style : FontStyles) {
        const unsigned slot = FontSlot(style.kind);
        descriptions[slot] = Describe(style, scale);
        fonts[slot] = CreateFontIndirectA(&descriptions[slot]);
        if (!fonts[slot]) {
            all = false;
            continue;
        }
        HGDIOBJ previous = SelectObject(dc, fonts[slot]);
        if (!originalFont)
            originalFont = previous;
        if (!GetTextMetricsA(dc, &metrics[slot]))
            all = false;
    }
    return all;
}

void GdiText::Release()
{
    if (dc) {
        // Nothing of ours may stay selected when it is deleted.
        if (originalFont)
            SelectObject(dc, originalFont);
        if (originalBitmap)
            SelectObject(dc, originalBitmap);
        DeleteDC(dc);
    }
    for (HFONT& font : fonts) {
        if (font)
            DeleteObject(font);
        font = nullptr;
    }
    if (scratch)
        DeleteObject(scratch);
    dc = nullptr;
    originalFont = originalBitmap = nullptr;
    scratch = nullptr;
    scratchBits = nullptr;
    scratchWidth = scratchHeight = 0;
}

bool GdiText::Measure(unsigned slot, const std::string& text, RECT& rect) const
{
    // An empty text has no extent: its box keeps its starting size.
    if (!dc || !HasFont(slot) || text.empty())
        return false;
    SelectObject(dc, fonts[slot]);
    RECT extent = rect;
    if (DrawTextA(dc, text.c_str(), -1, &extent, DT_CALCRECT | DT_NOPREFIX) == 0)
        return false;
    rect = extent;
    return true;
}

bool GdiText::EnsureScratch(int width, int height)
{
    if (scratch && width <= scratchWidth && height <= scratchHeight)
        return true;
    width = width > scratchWidth ? width : scratchWidth;
    height = height > scratchHeight ? height : scratchHeight;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        return false;
    HGDIOBJ previous = SelectObject(dc, bitmap);
    if (!originalBitmap)
        originalBitmap = previous;
    if (scratch)
        DeleteObject(scratch);
    scratch = bitmap;
    scratchBits = static_cast<uint32_t*>(bits);
    scratchWidth = width;
    scratchHeight = height;
    return true;
}

GdiText::Coverage GdiText::Render(unsigned slot, const std::string& text, int width, int height, int margin,
                                  DWORD format)
{
    const int fullWidth = width + 2 * margin, fullHeight = height + 2 * margin;
    if (!dc || !HasFont(slot) || width <= 0 || height <= 0 || !EnsureScratch(fullWidth, fullHeight))
        return {};
    // Black is no coverage; the scratch still holds the last text.
    for (int y = 0; y < fullHeight; ++y)
        std::memset(scratchBits + static_cast<size_t>(y) * scratchWidth, 0, static_cast<size_t>(fullWidth) * 4);
    SelectObject(dc, fonts[slot]);
    RECT box{margin, margin, margin + width, margin + height};
    // Unclipped: a glyph reaching past the box lands in the margin.
    DrawTextA(dc, text.c_str(), -1, &box, format | DT_NOCLIP);
    GdiFlush();
    return {scratchBits, fullWidth, fullHeight, scratchWidth};
}
