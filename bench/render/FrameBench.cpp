// Render benchmark under wine: a full 1920x1080 frame (picture, bar, emblem,
// both clocks, three captions and the reload label, countdown, a 12-row
// table) with panel textures remade for every panel versus kept by size, and
// the load time of a 1920x1080 and a 6000x4000 JPEG into the picture handle.
// Prints CPU time (all threads of the process, the rasteriser's included)
// and wall time. Direct3D is set up as the saver sets it up.
// Usage: render_frame_bench [frames] [--snapshot FILE.png]
//        render_frame_bench --write-picture FILE.jpg WIDTH HEIGHT   (a smooth test picture, then exit)

#include "bench/render/BenchJpeg.h"
#include "bench/render/BenchScene.h"
#include "bench/render/BenchWindow.h"
#include "host/SaverApp.h"
#include "host/Screens.h"
#include "platform/win32/Direct3d.h"
#include "render/Overlay.h"
#include "render/RenderDevice.h"
#include "render/win32/RenderDeviceState.h"
#include "resources/resource.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    int frames = 200;
    const char* snapshot = nullptr;
    const char* picturePath = nullptr;
    UINT pictureWidth = 0, pictureHeight = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--snapshot" && i + 1 < argc) {
            snapshot = argv[++i];
        } else if (std::string(argv[i]) == "--write-picture" && i + 3 < argc) {
            picturePath = argv[i + 1];
            pictureWidth = static_cast<UINT>(std::atoi(argv[i + 2]));
            pictureHeight = static_cast<UINT>(std::atoi(argv[i + 3]));
            i += 3;
        } else {
            frames = std::max(10, std::atoi(argv[i]));
        }
    }
    PrepareDirect3d();
    HWND window = OpenBenchWindow();
    Screens screens;
    RenderDevice& device = screens.First();
    if (!window || device.Create({window}) != 0) {
        std::fprintf(stderr, "render bench: no Direct3D device\n");
        return 1;
    }
    device.PrepareSurface();
    device.PrepareFonts();
    if (picturePath) {
        bool written = pictureWidth > 0 && pictureHeight > 0 && WriteBenchJpeg(picturePath, pictureWidth, pictureHeight, 6);
        std::printf("%s: %s\n", picturePath, written ? "written" : "FAILED");
        device.Release();
        return written ? 0 : 1;
    }
    const int w = device.ScreenWidth(), h = device.ScreenHeight();
    std::printf("display %dx%d\n", w, h);

    if (!MeasurePictureLoads(device, [](const char* path, UINT width, UINT height) {
            return WriteBenchJpeg(path, width, height);
        }))
        return 1;

    // Full frames.
    SaverApp app{screens};
    FillStores(app, w, h);
    auto frame = [&app](int i) { ComposeFrame(app.screens.First(), app.FrameContentAt(app.lastAdvanceTime + 7 + i / 2)); };
    std::vector<double> remadeCpu, keptCpu, remadeWall, keptWall;
    for (int round = 0; round < 5; ++round) {
        for (bool keep : {false, true}) {
            // Every frame whole; panels remade: the cache starts empty at every frame.
            auto whole = [&app, &device, keep](int i) {
                if (!keep) device.Panels().Clear();
                DrawWholeFrame(app, i);
            };
            device.Panels().Clear();
            Measure(5, whole); // warm up
            Timing t = Measure(frames, whole);
            (keep ? keptCpu : remadeCpu).push_back(t.cpuMs);
            (keep ? keptWall : remadeWall).push_back(t.wallMs);
        }
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    double remade = median(remadeCpu), kept = median(keptCpu);
    std::printf("full frame %dx%d, panels remade: %.2f ms CPU, %.2f ms wall per frame (median of 5 x %d)\n", w, h,
                remade, median(remadeWall), frames);
    std::printf("full frame %dx%d, panels kept:   %.2f ms CPU, %.2f ms wall per frame (median of 5 x %d)\n", w, h,
                kept, median(keptWall), frames);
    std::printf("panels kept / remade CPU time: %.2f (%.2fx faster)\n", kept / remade, remade / kept);

    const Timing bare = MeasureBareFrame(device, frames);
    std::printf("whole frame / picture, bar and emblem alone, CPU: %.2fx\n", kept / bare.cpuMs);

    // Frame ticks as the idle saver makes them: twice a second, the clocks
    // and the countdown changing once a second.
    device.LastFrame().valid = false;
    frame(0);
    Timing ticks = Measure(frames, [&frame](int i) { frame(i + 2); });
    std::printf("change-driven frame ticks: %.2f ms CPU, %.2f ms wall per tick (%.2fx of a whole frame)\n",
                ticks.cpuMs, ticks.wallMs, ticks.cpuMs / kept);

    // Where the overlay's time goes: one call of each kind, each in a scene
    // of its own (a scene's draws are carried out at its end).
    auto perCall = [frames, &device](const char* what, auto draw) {
        Timing t = Measure(frames, [&device, &draw](int i) {
            device.BeginScene();
            draw(i);
            device.EndScene();
        });
        device.Present();
        std::printf("  one %s: %.3f ms CPU, %.3f ms wall\n", what, t.cpuMs, t.wallMs);
    };
    perCall("text box (measure and draw)", [&device](int) {
        DrawList list;
        DrawTextBox(list, device, " Members online:", 1610, 600, FontKind::Text, false, 0);
        device.Execute(list);
    });
    auto panel = [&device](bool keep) {
        if (!keep) device.Panels().Clear();
        DrawList list;
        list.AddPanel(Rect{1610, 600, 1910, 618}, Colour::Panel);
        device.Execute(list);
    };
    perCall("panel, texture remade", [&panel](int) { panel(false); });
    perCall("panel, texture kept", [&panel](int) { panel(true); });

    if (snapshot) {
        WriteBenchJpeg("bench-snapshot.jpg", static_cast<UINT>(w), static_cast<UINT>(h), 6);
        device.Picture().LoadFile("bench-snapshot.jpg", w, h);
        device.SetKeepPresentedFrame(true);
        frame(0);
        std::printf("snapshot %s: %s\n", snapshot, device.SaveSnapshot(snapshot) == 0 ? "written" : "FAILED");
    }
    device.Release();
    return 0;
}
