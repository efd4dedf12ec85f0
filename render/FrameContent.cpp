// The texts of a frame and the rules they follow: which clocks show and how
// they read, the captions with their defaults, the countdown.

#include "render/FrameContent.h"

#include "render/Printf.h"

#include <algorithm>
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

int SecondsLeft(const CountdownState& countdown, int64_t now)
{
    int64_t left = static_cast<int64_t>(countdown.refreshSeconds) - (now - countdown.lastAdvanceTime);
    return static_cast<int>(std::clamp<int64_t>(left, 0, std::max<int64_t>(countdown.refreshSeconds, 0)));
}

ClockContent ClockContentOf(const KeyValueStore& options, const KeyValueStore& dictionary, int64_t now)
{
    ClockContent clocks;
    clocks.showZembrianTime = options.GetString("ShowZembrianTime", "yes") == "yes";
    clocks.showLocalTime = options.GetString("ShowLocalTime", "no") == "yes";
    if (clocks.showLocalTime)
        clocks.localText = Printf("%s: %s %s", dictionary.GetString("LocalTime", "local").c_str(),
                                  FormatTime(now, "%H:%M").c_str(),
                                  dictionary.GetString("LocalTimeSuffix", "").c_str());
    if (clocks.showZembrianTime) {
        ZembrianTime clock = ZembrianClock(now);
        clocks.zembrianText = Printf("%s: %.2d:%.2d %s", dictionary.GetString("ZembrianTime", "time").c_str(),
                                     clock.hours, clock.minutes,
                                     dictionary.GetString("ZembrianTimeSuffix", "").c_str());
    }
    return clocks;
}

CaptionContent CaptionContentOf(const KeyValueList& info)
{
    return CaptionContent{info.GetString("ImageInfoMain", ""), info.GetString("ImageInfoReloadLable", ""),
                          info.GetString("ImageInfoSub", ""), info.GetString("ImageInfoURL", ZEMBRIA_WEB_HOST)};
}

std::string CountdownText(const KeyValueStore& dictionary, const CountdownState& countdown, int64_t now)
{
    std::string unit = dictionary.GetString("Seconds", "secs.");
    return countdown.advancing ? Printf("0 %s", unit.c_str())
                               : Printf("%4d %s", SecondsLeft(countdown, now), unit.c_str());
}

FrameContent FrameContentOf(const Rect& screen, const KeyValueStore& options, const KeyValueStore& dictionary,
                            const KeyValueList& info, const CountdownState& countdown, int64_t now)
{
    FrameContent content;
    content.screen = screen;
    content.clocks = ClockContentOf(options, dictionary, now);
    content.captions = CaptionContentOf(info);
    content.countdown = CountdownText(dictionary, countdown, now);
    content.showInfoTable = options.GetString("ShowAllInfos", "yes") == "yes";
    if (content.showInfoTable)
        content.tableRows = InfoTableRows(info);
    return content;
}
