// Render benchmark of the Linux saver: the work of the Windows render
// benchmark on the SDL device, at the display's size (run it in a 1920x1080
// Xvfb): the load of a 1920x1080 and a 6000x4000 JPEG into the picture
// handle, a full frame (picture, bar, emblem, clocks, captions, countdown, a
// 12-row table, panels kept), and the picture, bar and emblem alone.
// Prints process CPU time (all threads) and wall time.
// Usage: render_frame_bench_native [frames] [--snapshot FILE.png]

#include "bench/render/BenchScene.h"
#include "host/SaverApp.h"
#include "host/Screens.h"
#include "platform/linux/sdl/SdlPlatform.h"
#include "render/Overlay.h"
#include "render/RenderDevice.h"

#include <turbojpeg.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

bool WriteJpeg(const char* path, uint32_t width, uint32_t height)
{
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
    uint32_t seed = 12345;
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            const uint32_t colour = BenchPicturePixel(x, y, width, height, 32, seed);
            unsigned char* pixel = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            pixel[0] = static_cast<unsigned char>(colour >> 16);
            pixel[1] = static_cast<unsigned char>(colour >> 8);
            pixel[2] = static_cast<unsigned char>(colour);
        }
    }
    tjhandle encoder = tjInitCompress();
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    const bool encoded = tjCompress2(encoder, rgb.data(), static_cast<int>(width), 0, static_cast<int>(height), TJPF_RGB,
                                     &jpeg, &size, TJSAMP_420, 90, 0) == 0;
    tjDestroy(encoder);
    FILE* file = encoded ? std::fopen(path, "wb") : nullptr;
    const bool written = file && std::fwrite(jpeg, 1, size, file) == size;
    if (file) std::fclose(file);
    tjFree(jpeg);
    return written;
}

} // namespace

double CpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double WallSeconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

int main(int argc, char** argv)
{
    int frames = 200;
    const char* snapshot = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--snapshot" && i + 1 < argc)
            snapshot = argv[++i];
        else
            frames = std::max(10, std::atoi(argv[i]));
    }
    static SdlPlatformState platform; // the signal watch may touch it until the process ends
    WindowHandle window = PlatformStart(platform, SaverWindowPlacement{}) == 0
                              ? PlatformCreateSaverWindow(platform, SaverWindowPlacement{})
                              : nullptr;
    Screens screens;
    RenderDevice& device = screens.First();
    if (!window || device.Create({window}) != 0) {
        std::fprintf(stderr, "render bench: no SDL renderer\n");
        return 1;
    }
    device.PrepareSurface();
    device.PrepareFonts();
    const int w = device.ScreenWidth(), h = device.ScreenHeight();
    std::printf("display %dx%d (SDL software renderer)\n", w, h);

    if (!MeasurePictureLoads(device, WriteJpeg)) return 1;

    SaverApp app{screens};
    FillStores(app, w, h);
    auto frame = [&app](int i) { ComposeFrame(app.screens.First(), app.FrameContentAt(app.lastAdvanceTime + 7 + i / 2)); };
    auto whole = [&app](int i) { DrawWholeFrame(app, i); };
    std::vector<double> cpu, wall;
    for (int round = 0; round < 5; ++round) {
        Measure(5, whole); // warm up
        Timing t = Measure(frames, whole);
        cpu.push_back(t.cpuMs);
        wall.push_back(t.wallMs);
    }
    std::sort(cpu.begin(), cpu.end());
    std::sort(wall.begin(), wall.end());
    std::printf("full frame %dx%d, panels kept: %.2f ms CPU, %.2f ms wall per frame (median of 5 x %d)\n", w, h,
                cpu[2], wall[2], frames);

    const Timing bare = MeasureBareFrame(device, frames);
    std::printf("whole frame / picture, bar and emblem alone, CPU: %.2fx\n", cpu[2] / bare.cpuMs);

    // Frame ticks as the idle saver makes them: only the clocks and the countdown change.
    device.LastFrame().valid = false;
    frame(0);
    const Timing ticks = Measure(frames, [&frame](int i) { frame(i + 2); });
    std::printf("change-driven frame ticks: %.2f ms CPU, %.2f ms wall per tick\n", ticks.cpuMs, ticks.wallMs);

    if (snapshot) {
        WriteJpeg("bench-snapshot.jpg", static_cast<uint32_t>(w), static_cast<uint32_t>(h));
        device.Picture().LoadFile("bench-snapshot.jpg", w, h);
        device.SetKeepPresentedFrame(true);
        device.LastFrame().valid = false;
        frame(0);
        std::printf("snapshot %s: %s\n", snapshot, device.SaveSnapshot(snapshot) == 0 ? "written" : "FAILED");
    }
    device.Release();
    PlatformStop(platform);
    return 0;
}
