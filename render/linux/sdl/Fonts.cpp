// The overlay's four fonts from fontconfig's sans-serif (DejaVu Sans on
// Debian). The point sizes give the line heights of the Windows fonts, 18 px
// for the texts and 28 px for headings (times the overlay's scale), so the
// portable layout lands where it does on Windows.

#include "render/linux/sdl/RenderDeviceState.h"

#include "render/OverlayScale.h"

#include <fontconfig/fontconfig.h>

#include <string>

namespace {

// By FontSlot: the point sizes that give DejaVu Sans the table's line heights at scale 1.
constexpr int Points[FontCount] = {24, 15, 15, 15};

// The file fontconfig picks for sans-serif of that weight and slant, and
// whether it really has them (else SDL2_ttf fakes what's missing).
std::string MatchFont(const FontStyle& style, bool& boldFound, bool& italicFound)
{
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif"));
    FcPatternAddInteger(pattern, FC_WEIGHT, style.weight >= 700 ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, style.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    std::string path;
    boldFound = italicFound = false;
    if (match) {
        FcChar8* file = nullptr;
        int weight = 0, slant = 0;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) path = reinterpret_cast<char*>(file);
        if (FcPatternGetInteger(match, FC_WEIGHT, 0, &weight) == FcResultMatch) boldFound = weight >= FC_WEIGHT_DEMIBOLD;
        if (FcPatternGetInteger(match, FC_SLANT, 0, &slant) == FcResultMatch) italicFound = slant != FC_SLANT_ROMAN;
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return path;
}

int AverageCharWidth(TTF_Font* font)
{
    int advance = 0;
    TTF_GlyphMetrics(font, 'x', nullptr, nullptr, nullptr, nullptr, &advance);
    return advance;
}

} // namespace

int OpenFonts(RenderDeviceState& state, double scale)
{
    if (!state.ttfHeld) {
        if (TTF_Init() != 0) return 1;
        state.ttfHeld = true;
    }
    int missing = 0;
    for (const FontStyle& style : FontStyles) {
        const unsigned slot = FontSlot(style.kind);
        const bool bold = style.weight >= 700;
        bool boldFound = false, italicFound = false;
        const std::string path = MatchFont(style, boldFound, italicFound);
        TTF_Font* font = path.empty() ? nullptr : TTF_OpenFont(path.c_str(), Scaled(Points[slot], scale));
        if (font) {
            int fake = TTF_STYLE_NORMAL;
            if (bold && !boldFound) fake |= TTF_STYLE_BOLD;
            if (style.italic && !italicFound) fake |= TTF_STYLE_ITALIC;
            TTF_SetFontStyle(font, fake);
        } else {
            ++missing;
        }
        state.fonts[slot] = font;
        state.descriptions[slot] = FontDescription{style.kind, Scaled(style.height, scale), style.weight,
                                                   style.italic, font ? AverageCharWidth(font) : 0};
    }
    return missing == 0 ? 0 : 1;
}

void CloseFonts(RenderDeviceState& state)
{
    for (TTF_Font*& font : state.fonts) {
        if (font) TTF_CloseFont(font);
        font = nullptr;
    }
    if (state.ttfHeld) TTF_Quit();
    state.ttfHeld = false;
}
