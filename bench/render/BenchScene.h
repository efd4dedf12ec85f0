#pragma once
// What both render benchmarks (Direct3D under wine, SDL natively) draw: a
// photograph-like test picture and a controller holding a full overlay.

#include "host/SaverApp.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

// Sky, sea, a horizon and some grain: one pixel as 0xFFRRGGBB. seed advances per pixel.
inline uint32_t BenchPicturePixel(uint32_t x, uint32_t y, uint32_t width, uint32_t height, int grain, uint32_t& seed)
{
    double v = static_cast<double>(y) / height;
    double u = static_cast<double>(x) / width;
    seed = seed * 1664525u + 1013904223u;
    int noise = grain > 0 ? static_cast<int>(seed % static_cast<uint32_t>(grain)) - grain / 2 : 0;
    int r, g, b;
    if (v < 0.55) {
        r = static_cast<int>(120 + 100 * v + 30 * std::sin(u * 9));
        g = static_cast<int>(160 + 60 * v);
        b = 235 - static_cast<int>(40 * v);
    } else {
        double wave = std::sin(u * 80 + v * 40) * 20;
        r = static_cast<int>(20 + wave);
        g = static_cast<int>(90 + 60 * (1 - v) + wave);
        b = static_cast<int>(140 + wave);
    }
    r = std::clamp(r + noise, 1, 255);
    g = std::clamp(g + noise, 1, 255);
    b = std::clamp(b + noise, 1, 255);
    return 0xFF000000u | static_cast<uint32_t>(r) << 16 | static_cast<uint32_t>(g) << 8 | static_cast<uint32_t>(b);
}

inline void FillStores(SaverApp& app, int screenWidth, int screenHeight)
{
    app.screenRect = ScreenRect{0, 0, screenWidth, screenHeight};
    app.refreshSeconds = 60;
    app.lastAdvanceTime = 1772409600;
    app.options.SetString("ShowLocalTime", "yes");
    app.infoStore.AddPair("ImageInfoMain", "Harbour of Zembria");
    app.infoStore.AddPair("ImageInfoReloadLable", "live");
    app.infoStore.AddPair("ImageInfoSub", "Webcam 3, looking east over the bay");
    app.infoStore.AddPair("ImageInfoURL", "www.zembria.example");
    const char* rows[][3] = {
        {"DataTitle1", "Weather", nullptr},   {"Data1", "Sunny", "Sky"},
        {"Data2", "21 C", "Temperature"},     {"Data3", "12 km/h W", "Wind"},
        {"DataSeperator1", "hr", nullptr},    {"DataTitle2", "Service", nullptr},
        {"Data4", "1,204", "Members online"}, {"Data5", "38,511", "Pictures"},
        {"Data6", "4", "Webcams"},            {"DataSeperator2", "hr", nullptr},
        {"Data7", "06:12", "Sunrise"},        {"Data8", "19:47", "Sunset"},
    };
    for (const auto& row : rows) {
        app.infoStore.AddPair(row[0], row[1]);
        if (row[2])
            app.infoStore.AddPair(std::string(row[0]) + "Label", row[2]);
    }
}
