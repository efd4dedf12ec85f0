#pragma once
// How much larger than on a screen of 96 dpi the overlay is drawn: the bar,
// the emblem, the fonts and every distance of its layout. Whole pixels at
// 96 dpi become the nearest whole pixels at the scale, so at 1 nothing moves.

#include <cmath>

constexpr double MinOverlayScale = 1.0;
constexpr double MaxOverlayScale = 4.0;

// A scale within the bounds; anything else (NaN included) is taken as 1 or 4.
inline double BoundedOverlayScale(double scale)
{
    if (!(scale >= MinOverlayScale)) return MinOverlayScale;
    return scale > MaxOverlayScale ? MaxOverlayScale : scale;
}

// The scale of a display of that many dots per inch: dpi / 96 to the nearest
// quarter, never below 1 (a dpi of 0 or less is unknown: 1).
inline double OverlayScaleForDpi(int dpi)
{
    if (dpi <= 0) return MinOverlayScale;
    return BoundedOverlayScale(std::round(dpi * 4.0 / 96.0) / 4.0);
}

// A length of the 96 dpi layout at the scale, to the nearest pixel.
constexpr int Scaled(int pixels, double scale)
{
    const double scaled = pixels * scale;
    return static_cast<int>(scaled < 0 ? scaled - 0.5 : scaled + 0.5);
}
