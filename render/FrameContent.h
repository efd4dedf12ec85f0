#pragma once
// What a frame shows, as plain values: the clock texts, the captions, the
// countdown text and the rows of the information table, with the flags that
// say which of them are drawn. Built from the options, the dictionary and
// the information store at one moment; the frame is drawn from these alone.

#include "render/InfoTable.h"
#include "render/TextureHandle.h"
#include "settings/KeyValueList.h"
#include "settings/KeyValueStore.h"

#include <cstdint>
#include <string>
#include <vector>

struct ClockContent {
    bool showZembrianTime = false;
    bool showLocalTime = false;
    std::string zembrianText; // "time: 12:00 "
    std::string localText;    // "local: 10:07 "
    bool operator==(const ClockContent&) const = default;
};

struct CaptionContent {
    std::string main;
    std::string reloadLabel; // drawn only when not empty
    std::string sub;
    std::string url;
    bool operator==(const CaptionContent&) const = default;
};

struct FrameContent {
    Rect screen{};
    ClockContent clocks;
    CaptionContent captions;
    std::string countdown; // "  20 secs."
    bool showInfoTable = false;
    std::vector<TableRow> tableRows;
};

// The slide show's timing, as the countdown needs it.
struct CountdownState {
    int32_t refreshSeconds = 0;
    int64_t lastAdvanceTime = 0;
    bool advancing = false; // a picture change is under way: the countdown shows 0
};

struct ZembrianTime {
    int hours;
    int minutes;
};

// The service's time of day: 96 times faster than local time, a new day
// every local quarter hour.
ZembrianTime ZembrianClock(int64_t time);
// Local time as strftime formats it; empty when it can't be converted or is too long.
std::string FormatTime(int64_t time, const char* format);
// Seconds until the next picture: the whole interval counts down, and a clock
// set back never shows more than the interval.
int SecondsLeft(const CountdownState& countdown, int64_t now);

ClockContent ClockContentOf(const KeyValueStore& options, const KeyValueStore& dictionary, int64_t now);
CaptionContent CaptionContentOf(const KeyValueList& info);
std::string CountdownText(const KeyValueStore& dictionary, const CountdownState& countdown, int64_t now);

FrameContent FrameContentOf(const Rect& screen, const KeyValueStore& options, const KeyValueStore& dictionary,
                            const KeyValueList& info, const CountdownState& countdown, int64_t now);
