// Drawing and encoding the demo pictures. Each has its own colour pair and
// its own pattern (bands, rings, checks, diagonals, a sun, bars), so a test
// or a viewer can tell them apart from any region of the screen.

#include "DemoPictures.h"

#include <turbojpeg.h>

#include <cmath>
#include <cstdio>
#include <fstream>

namespace {

struct Colour {
    unsigned char r, g, b;
};

const Colour palette[DemoPictureCount][2] = {
    {{200, 40, 40}, {250, 200, 60}},   // red and gold bands
    {{20, 60, 160}, {120, 200, 250}},  // blue rings
    {{30, 140, 60}, {220, 240, 200}},  // green checks
    {{110, 30, 140}, {240, 150, 220}}, // purple diagonals
    {{240, 120, 20}, {30, 30, 80}},    // orange sun on night blue
    {{60, 60, 60}, {240, 240, 240}},   // grey and white bars
};

// 0 or 1: which of the picture's two colours a pixel takes.
int Pattern(int index, int x, int y)
{
    const int w = DemoPictureWidth;
    const int h = DemoPictureHeight;
    switch (index) {
    case 0: return (y / 120) % 2;
    case 1: return static_cast<int>(std::hypot(x - w / 2, y - h / 2) / 90) % 2;
    case 2: return (x / 160 + y / 160) % 2;
    case 3: return ((x + y) / 140) % 2;
    case 4: return std::hypot(x - w / 3, y - h / 3) < 300 ? 0 : 1;
    default: return (x / 240) % 2;
    }
}

std::vector<unsigned char> DrawPixels(int index)
{
    std::vector<unsigned char> pixels(static_cast<size_t>(DemoPictureWidth) * DemoPictureHeight * 3);
    const Colour* colours = palette[index % DemoPictureCount];
    size_t at = 0;
    for (int y = 0; y < DemoPictureHeight; ++y) {
        // A gentle vertical shading so the bands aren't flat.
        const double shade = 0.75 + 0.25 * y / DemoPictureHeight;
        for (int x = 0; x < DemoPictureWidth; ++x) {
            const Colour c = colours[Pattern(index % DemoPictureCount, x, y)];
            pixels[at++] = static_cast<unsigned char>(c.r * shade);
            pixels[at++] = static_cast<unsigned char>(c.g * shade);
            pixels[at++] = static_cast<unsigned char>(c.b * shade);
        }
    }
    return pixels;
}

} // namespace

std::vector<unsigned char> DemoPictureJpeg(int index)
{
    const std::vector<unsigned char> pixels = DrawPixels(index);
    tjhandle encoder = tjInitCompress();
    if (encoder == nullptr)
        return {};
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    std::vector<unsigned char> result;
    if (tjCompress2(encoder, pixels.data(), DemoPictureWidth, 0, DemoPictureHeight, TJPF_RGB, &jpeg, &size,
                    TJSAMP_420, 85, TJFLAG_ACCURATEDCT) == 0)
        result.assign(jpeg, jpeg + size);
    tjFree(jpeg);
    tjDestroy(encoder);
    return result;
}

int WriteDemoPictures(const std::string& folder)
{
    for (int index = 0; index < DemoPictureCount; ++index) {
        const std::vector<unsigned char> jpeg = DemoPictureJpeg(index);
        if (jpeg.empty())
            return 1;
        std::ofstream file(folder + "/demo-" + std::to_string(index + 1) + ".jpg", std::ios::binary);
        file.write(reinterpret_cast<const char*>(jpeg.data()), static_cast<std::streamsize>(jpeg.size()));
        if (!file)
            return 1;
    }
    return 0;
}
