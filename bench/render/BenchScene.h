#pragma once
// What both render benchmarks (Direct3D under wine, SDL natively) measure: a
// photograph-like test picture loaded at two sizes, a controller holding a
// full overlay, and the bare frame; timed the same way.

#include "host/SaverApp.h"
#include "host/Screens.h"
#include "render/Overlay.h"
#include "render/OverlayLayout.h"
#include "render/RenderDevice.h"
#include "resources/resource.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

// Per benchmark program: the process's CPU time (all threads) and wall time.
double CpuSeconds();
double WallSeconds();

struct Timing {
    double cpuMs;
    double wallMs;
};

template <typename Work> Timing Measure(int repeats, Work work)
{
    double cpu = CpuSeconds(), wall = WallSeconds();
    for (int i = 0; i < repeats; ++i)
        work(i);
    return Timing{(CpuSeconds() - cpu) * 1000.0 / repeats, (WallSeconds() - wall) * 1000.0 / repeats};
}

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

// A 1920x1080 and a 6000x4000 test JPEG, made by write(path, width, height),
// each loaded into the picture handle a few times; prints the times, then
// leaves the first picture, the bar and the emblem loaded for the frames.
template <typename Write> bool MeasurePictureLoads(RenderDevice& device, Write write)
{
    const int w = device.ScreenWidth(), h = device.ScreenHeight();
    struct Picture { const char* path; uint32_t width, height; int repeats; };
    const Picture pictures[] = {{"bench-1920x1080.jpg", 1920, 1080, 10}, {"bench-6000x4000.jpg", 6000, 4000, 3}};
    for (const Picture& picture : pictures) {
        if (!write(picture.path, picture.width, picture.height)) {
            std::fprintf(stderr, "render bench: could not write %s\n", picture.path);
            return false;
        }
        long result = 0;
        Timing load = Measure(picture.repeats, [&](int) {
            result = device.Picture().LoadFile(picture.path, w, h);
        });
        std::printf("load %ux%u JPEG into the picture handle: %.1f ms CPU, %.1f ms wall (mean of %d)%s\n",
                    picture.width, picture.height, load.cpuMs, load.wallMs, picture.repeats,
                    result == 0 ? "" : " FAILED");
    }
    device.Picture().LoadFile(pictures[0].path, w, h);
    device.Bar().LoadResource(IDB_BAR, 0, 0);
    device.Emblem().LoadResource(IDB_EMBLEM, 0, 0);
    return true;
}

// A whole frame, drawn as if nothing of it were on screen yet.
inline void DrawWholeFrame(SaverApp& app, int i)
{
    app.screens.First().LastFrame().valid = false;
    ComposeFrame(app.screens.First(), app.FrameContentAt(app.lastAdvanceTime + 7 + i / 2));
}

// For scale: the frame without any overlay text or panel.
inline Timing MeasureBareFrame(RenderDevice& device, int frames)
{
    Timing bare = Measure(frames, [&device](int) {
        const int height = device.ScreenHeight();
        DrawList list;
        list.AddClear();
        list.AddQuad(device.Picture(), Rect{0, 0, device.ScreenWidth(), height}, Colour::White);
        list.AddQuad(device.Bar(), OverlayLayout::Bar(height, device.OverlayScale()), Colour::White);
        list.AddQuad(device.Emblem(), OverlayLayout::Emblem(height, device.OverlayScale()), Colour::White);
        device.BeginScene();
        device.Execute(list);
        device.EndScene();
        device.Present();
    });
    std::printf("picture, bar and emblem alone: %.2f ms CPU, %.2f ms wall per frame\n", bare.cpuMs, bare.wallMs);
    return bare;
}
