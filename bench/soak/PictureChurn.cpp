// Memory of the saver's repeated work under wine, fast: change-driven frame
// ticks, a picture change (load and whole frame) and a slide step's requests
// (information and a download), each repeated without the waits between them,
// and whole slide steps as the saver takes them (the "Loading" frame, the
// information, the picture from the cache or downloaded into it, and the
// countdown ticks up to the next step), reporting the growth per step after
// a warm-up of a quarter of the steps.
// Usage: picture_churn_bench DIR_OF_JPEGS [STEPS] [SERVICE_HOST [--requests-only | --slides-only]]
#include "bench/render/BenchScene.h"
#include "bench/render/BenchWindow.h"
#include "host/SaverApp.h"
#include "host/Screens.h"
#include "render/Overlay.h"
#include "platform/win32/Direct3d.h"
#include "render/RenderDevice.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Resident size (wine fills the working set from the host's figure) and
// the committed bytes.
long ResidentKb()
{
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<long>(counters.WorkingSetSize / 1024);
}

long PrivateKb()
{
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<long>(counters.PagefileUsage / 1024);
}

std::vector<std::string> JpegsIn(const std::string& dir)
{
    std::vector<std::string> files;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*.jpg").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do files.push_back(dir + "\\" + found.cFileName);
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return files;
}

template <typename Step> void Churn(const char* what, int steps, Step step)
{
    for (int i = 0; i < steps / 4; ++i) step(i); // warm-up
    const long rss = ResidentKb(), priv = PrivateKb();
    for (int i = 0; i < steps; ++i) step(i);
    const long rssEnd = ResidentKb(), privEnd = PrivateKb();
    std::printf("%s, %d steps: resident %ld -> %ld KB (%.2f KB a step), private %ld -> %ld KB (%.2f KB a step)\n",
                what, steps, rss, rssEnd, double(rssEnd - rss) / steps, priv, privEnd, double(privEnd - priv) / steps);
    std::fflush(stdout);
}

} // namespace

double CpuSeconds() { return 0; }
double WallSeconds() { return 0; }

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: picture_churn_bench DIR_OF_JPEGS [STEPS] [SERVICE_HOST [--requests-only | --slides-only]]\n");
        return 2;
    }
    const std::string dir = argv[1];
    const int steps = argc > 2 ? std::atoi(argv[2]) : 200;
    const std::vector<std::string> pictures = JpegsIn(dir);
    PrepareDirect3d(); // as the saver does
    HWND window = OpenBenchWindow();
    static Screens screens;
    static RenderDevice& device = screens.First();
    if (pictures.empty() || !window || device.Create({window}) != 0) {
        std::fprintf(stderr, "churn: no pictures or no Direct3D device\n");
        return 1;
    }
    device.PrepareSurface();
    device.PrepareFonts();
    const int w = device.ScreenWidth(), h = device.ScreenHeight();
    static SaverApp app{screens};
    FillStores(app, w, h);
    auto frame = [](int second) { ComposeFrame(device, app.FrameContentAt(app.lastAdvanceTime + 7 + second)); };
    frame(0);

    const std::string only = argc > 4 ? argv[4] : "";
    if (only.empty()) {
        Churn("change-driven ticks (clocks and countdown)", steps * 10, [&](int i) { frame(1 + i); });
        Churn("picture load and whole frame", steps, [&](int i) {
            device.Picture().LoadFile(pictures[i % pictures.size()], w, h);
            frame(1 + i);
        });
    }
    if (argc > 3) {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        ServiceClient& client = app.serviceClient;
        client.Connect(argv[3], "", "");
        if (only != "--slides-only") {
            Churn("information and download", steps, [&](int) {
                KeyValueList infos;
                client.FetchInfos(infos);
                client.DownloadPicture("", temp, w, h, infos);
            });
        }
        if (only != "--requests-only") {
            // The saver's own steps into a fresh cache folder, each followed by
            // the countdown's ticks of a 10-second interval.
            const std::string cache = std::string(temp) + "zembria-churn-cache";
            CreateDirectoryA(cache.c_str(), nullptr);
            for (const std::string& old : JpegsIn(cache))
                DeleteFileA(old.c_str());
            app.options.SetString("ImagePath", cache);
            app.refreshSeconds = 10;
            app.infoStore.Clear();
            // The clocks and the countdown go on as over the real interval.
            int64_t elapsed = 0;
            Churn("slide step with its countdown ticks", steps, [&](int) {
                app.OnTimer(window, SlideTimerId);
                app.OnTimer(window, FrameTimerId);
                elapsed += 10;
                app.lastAdvanceTime += elapsed;
                for (int second = 1; second < 10; ++second)
                    ComposeFrame(device, app.FrameContentAt(app.lastAdvanceTime + second));
            });
        }
    }
    device.Release();
    return 0;
}
