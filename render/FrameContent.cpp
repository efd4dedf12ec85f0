// The texts of a frame and the rules they follow: which clocks show and how
// they read, the captions with their defaults, the countdown.

#include "render/FrameContent.h"

#include "render/Printf.h"

#include <algorithm>
#include <ctime>
#include <utility>

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

ClockContent ClockContentOf(const FrameFlags& flags, const FrameWords& words, int64_t now)
{
    ClockContent clocks;
    clocks.showZembrianTime = flags.showZembrianTime;
    clocks.showLocalTime = flags.showLocalTime;
    if (clocks.showLocalTime)
        clocks.localText = Printf("%s: %s %s", words.localTime.c_str(), FormatTime(now, "%H:%M").c_str(),
                                  words.localTimeSuffix.c_str());
    if (clocks.showZembrianTime) {
        ZembrianTime clock = ZembrianClock(now);
        clocks.zembrianText = Printf("%s: %.2d:%.2d %s", words.zembrianTime.c_str(), clock.hours, clock.minutes,
                                     words.zembrianTimeSuffix.c_str());
    }
    return clocks;
}

std::string CountdownText(const std::string& seconds, const CountdownState& countdown, int64_t now)
{
    return countdown.advancing ? Printf("0 %s", seconds.c_str())
                               : Printf("%4d %s", SecondsLeft(countdown, now), seconds.c_str());
}

FrameContent FrameContentOf(const Rect& screen, const FrameFlags& flags, const FrameWords& words,
                            const CaptionContent& captions, std::vector<TableRow> rows,
                            const CountdownState& countdown, int64_t now)
{
    FrameContent content;
    content.screen = screen;
    content.clocks = ClockContentOf(flags, words, now);
    content.captions = captions;
    content.countdown = CountdownText(words.seconds, countdown, now);
    content.showInfoTable = flags.showInfoTable;
    if (content.showInfoTable)
        content.tableRows = std::move(rows);
    return content;
}
