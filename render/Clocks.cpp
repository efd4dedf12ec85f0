// The clocks at the top right: Zembrian time and local time.

#include "render/Overlay.h"
#include "render/Printf.h"
#include "render/RenderDevice.h"

#include <ctime>

namespace {

bool ToLocal(int64_t time, std::tm& local)
{
    std::time_t value = static_cast<std::time_t>(time);
    const std::tm* converted = std::localtime(&value);
    if (!converted)
        return false;
    local = *converted;
    return true;
}

} // namespace

ZembrianTime ZembrianClock(int64_t time)
{
    std::tm local{};
    int h = -1, m = -1, s = -1;
    if (ToLocal(time, local)) {
        h = local.tm_hour;
        m = local.tm_min;
        s = local.tm_sec;
    }
    int daySeconds = h * 3600 + m * 60 + s;
    int zembrian = (daySeconds % 900) * 96;
    return ZembrianTime{zembrian / 3600, (zembrian % 3600) / 60};
}

std::string FormatTime(int64_t time, const char* format)
{
    std::tm local{};
    if (!ToLocal(time, local))
        return std::string();
    char buffer[128];
    size_t length = std::strftime(buffer, sizeof buffer, format, &local);
    return std::string(buffer, length);
}

void DrawClocksAt(const SaverApp& app, int64_t now)
{
    bool zembrian = app.options.GetString("ShowZembrianTime", "yes") == "yes";
    bool local = app.options.GetString("ShowLocalTime", "no") == "yes";
    if (!zembrian && !local)
        return;

    RenderDevice& device = renderDevice;
    int w = device.screenWidth;
    if (zembrian && local) {
        device.DrawPanel(Rect{w - 260, 0, w, 25}, Colour::Panel);
        device.DrawTextBox("-", w - 122, 2, FontKind::Text, false, 0);
    } else if (zembrian) {
        device.DrawPanel(Rect{w - 145, 0, w, 25}, Colour::Panel);
    } else {
        device.DrawPanel(Rect{w - 120, 0, w, 25}, Colour::Panel);
    }

    if (local) {
        std::string text = Printf("%s: %s %s", app.dictionary.GetString("LocalTime", "local").c_str(),
                                  FormatTime(now, "%H:%M").c_str(),
                                  app.dictionary.GetString("LocalTimeSuffix", "").c_str());
        device.DrawTextBox(text, w - 110, 2, FontKind::Text, false, 0);
    }
    if (zembrian) {
        ZembrianTime clock = ZembrianClock(now);
        std::string text = Printf("%s: %.2d:%.2d %s", app.dictionary.GetString("ZembrianTime", "time").c_str(),
                                  clock.hours, clock.minutes,
                                  app.dictionary.GetString("ZembrianTimeSuffix", "").c_str());
        device.DrawTextBox(text, local ? w - 255 : w - 135, 2, FontKind::Text, false, 0);
    }
}
