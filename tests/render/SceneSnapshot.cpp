// scene_snapshot: draws fixed scenes through the saver's own frame
// composition on the real device (Direct3D 9 under wine, SDL natively) and
// writes each frame as a PNG, for a pixel-exact comparison with the frames
// kept in tests/render/scenes. Time, texts and pictures are fixed; the
// clocks read local time, so run it with TZ=UTC.
// Usage: scene_snapshot PICTURE_DIR OUT_DIR

#include "host/SaverApp.h"
#include "host/Screens.h"
#include "render/CollisionNotice.h"
#include "render/Overlay.h"
#include "render/RenderDevice.h"
#include "resources/resource.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <SDL.h>
#endif

#include <cstdio>
#include <functional>
#include <string>

namespace {

constexpr int Width = 1280;
constexpr int Height = 720;
constexpr int64_t SceneTime = 1772409600 + 13 * 3600 + 47 * 60 + 12; // 2026-03-02 13:47:12 UTC

WindowHandle OpenWindow()
{
#ifdef _WIN32
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ZembriaScenes";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, "ZembriaScenes", "Screen Saver", WS_POPUP | WS_VISIBLE, 0, 0, Width, Height, nullptr,
                           nullptr, windowClass.hInstance, nullptr);
#else
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return nullptr;
    return SDL_CreateWindow("Screen Saver", 0, 0, Width, Height, SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN);
#endif
}

// Everything the overlay can show: both clocks, all captions (one with "&"
// and a Western European letter), the countdown and a table with titles,
// rules, a gap and values.
void FillAll(SaverApp& app)
{
    app.screenRect = ScreenRect{0, 0, Width, Height};
    app.refreshSeconds = 60;
    app.lastAdvanceTime = SceneTime - 17;
    app.options.SetString("ShowLocalTime", "yes");
    app.options.SetString("ShowZembrianTime", "yes");
    app.options.SetString("ShowAllInfos", "yes");
    app.dictionary.SetString("LocalTime", "Ortszeit");
    app.dictionary.SetString("Seconds", "Sek.");
    app.infoStore.AddPair("ImageInfoMain", "Harbour & Lighthouse of Zembria");
    app.infoStore.AddPair("ImageInfoReloadLable", "live");
    app.infoStore.AddPair("ImageInfoSub", "Webcam 3, looking east over the bay (M\xE4rz)");
    app.infoStore.AddPair("ImageInfoURL", "www.zembria.example");
    const char* rows[][3] = {
        {"DataTitle1", "Weather & Sea", nullptr}, {"Data1", "Sunny", "Sky"},
        {"Data2", "21 C", "Temperature"},         {"DataSeperator1", "hr", nullptr},
        {"DataTitle2", "Service", nullptr},       {"Data3", "1,204", "Members online"},
        {"DataSeperator2", "", nullptr},          {"Data4", "06:12", "Sunrise"},
    };
    for (const auto& row : rows) {
        app.infoStore.AddPair(row[0], row[1]);
        if (row[2]) app.infoStore.AddPair(std::string(row[0]) + "Label", row[2]);
    }
}

struct Scene {
    const char* name;
    const char* picture; // nullptr: none loaded (black)
    std::function<void(SaverApp&)> set;
    std::function<void(SaverApp&)> draw;
    double scale = 1; // the overlay's
};

void DrawAt(SaverApp& app, int64_t now)
{
    ComposeFrame(app.screens.First(), app.FrameContentAt(now));
}

// Where the device measures every text box of the frame at now to lie, one
// "font left top right bottom text" line each: the devices may draw glyphs
// a little differently, but no box may move.
void WriteTextBoxes(SaverApp& app, int64_t now, const std::string& path)
{
    const FrameContent content = app.FrameContentAt(now);
    const double scale = app.screens.First().OverlayScale();
    std::vector<TextItem> items = CaptionItems(content.captions, Height, scale);
    for (const TextItem& item : ClockItems(Width, content.clocks, scale)) items.push_back(item);
    items.push_back(CountdownItem(content.countdown, Height, scale));
    DrawList table;
    if (content.showInfoTable) DrawInfoTable(table, app.screens.First(), content.tableRows);
    for (const DrawCommand& command : table.Commands())
        if (command.kind == DrawCommand::Kind::Text)
            items.push_back({command.text, command.rect.left, command.rect.top, command.font});
    if (FILE* file = std::fopen(path.c_str(), "w")) {
        for (const TextItem& item : items) {
            const Rect box = app.screens.First().MeasureTextBox(item.text, item.x, item.y, item.font);
            std::fprintf(file, "%d %d %d %d %d %s\n", static_cast<int>(item.font), box.left, box.top, box.right,
                         box.bottom, item.text.c_str());
        }
        std::fclose(file);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: scene_snapshot PICTURE_DIR OUT_DIR\n");
        return 2;
    }
    const std::string pictures = std::string(argv[1]) + "/", out = std::string(argv[2]) + "/";
    WindowHandle window = OpenWindow();
    Screens screens;
    RenderDevice& device = screens.First();
    if (!window || device.Create({window, 0, Width, Height, true}) != 0 || device.PrepareSurface() != 0) {
        std::fprintf(stderr, "scene_snapshot: no device\n");
        return 1;
    }
    device.PrepareFonts();
    device.Bar().LoadResource(IDB_BAR, 0, 0);
    device.Emblem().LoadResource(IDB_EMBLEM, 0, 0);

    const Scene scenes[] = {
        {"all-panels", "stripes.jpg", FillAll, [](SaverApp& app) { DrawAt(app, SceneTime); }},
        // Everything at twice the size, as on a monitor of 192 dpi; the picture still fills the screen.
        // The scenes after it, back at scale 1, show that nothing of it stays.
        {"all-panels-scale-2", "stripes.jpg", FillAll, [](SaverApp& app) { DrawAt(app, SceneTime); }, 2},
        // A tick later only the countdown and the clocks change: drawn over the frame before.
        {"clock-tick", "stripes.jpg", FillAll,
         [](SaverApp& app) {
             DrawAt(app, SceneTime);
             DrawAt(app, SceneTime + 1);
         }},
        {"portrait-local-clock", "portrait.jpg",
         [](SaverApp& app) {
             FillAll(app);
             app.options.SetString("ShowZembrianTime", "no");
             app.options.SetString("ShowAllInfos", "no");
             app.infoStore.SetString("ImageInfoReloadLable", "", false);
             app.advancing = true;
         },
         [](SaverApp& app) { DrawAt(app, SceneTime); }},
        {"no-picture-defaults", nullptr,
         [](SaverApp& app) {
             app.screenRect = ScreenRect{0, 0, Width, Height};
             app.lastAdvanceTime = SceneTime;
         },
         [](SaverApp& app) { DrawAt(app, SceneTime + 3); }},
        {"collision-notice", "stripes.jpg", FillAll,
         [](SaverApp& app) {
             DrawAt(app, SceneTime);
             DrawCollisionNotice(app.screens.First(), app.dictionary, Height);
         }},
    };
    int failures = 0;
    for (const Scene& scene : scenes) {
        SaverApp app{screens};
        scene.set(app);
        if (scene.picture) {
            if (device.Picture().LoadFile(pictures + scene.picture, Width, Height) != 0) {
                std::fprintf(stderr, "scene_snapshot: can't load %s\n", scene.picture);
                return 1;
            }
        } else {
            device.Picture().Unload();
        }
        device.SetOverlayScale(scene.scale);
        device.LastFrame().valid = false;
        scene.draw(app);
        const std::string path = out + scene.name + ".png";
        const bool written = device.SaveSnapshot(path) == 0;
        WriteTextBoxes(app, SceneTime, out + scene.name + ".boxes");
        std::printf("%s: %s\n", path.c_str(), written ? "written" : "FAILED");
        failures += written ? 0 : 1;
    }
    device.Release();
    return failures == 0 ? 0 : 1;
}
