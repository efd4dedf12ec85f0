#pragma once
// What a frame shows, as plain values: the clock texts, the captions, the
// countdown text and the rows of the information table, with the flags that
// say which of them are drawn. Host reads them from the options, the
// dictionary and the information store at one moment; the frame is drawn
// from these alone.

#include "render/TextureHandle.h"

#include <cstdint>
#include <string>
#include <vector>

enum class TableRowKind { Rule, Gap, Title, Value };

struct TableRow {
    TableRowKind kind;
    std::string text;  // the title or the value
    std::string label; // the label of a value row
    bool operator==(const TableRow&) const = default;
};

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

// Which parts of the overlay show (the options' flags).
struct FrameFlags {
    bool showZembrianTime = false;
    bool showLocalTime = false;
    bool showInfoTable = false;
};

// The words around the clocks and the countdown, in the dictionary's language.
struct FrameWords {
    std::string zembrianTime;       // "time"
    std::string zembrianTimeSuffix;
    std::string localTime;          // "local"
    std::string localTimeSuffix;
    std::string seconds;            // "secs."
};

ClockContent ClockContentOf(const FrameFlags& flags, const FrameWords& words, int64_t now);
std::string CountdownText(const std::string& seconds, const CountdownState& countdown, int64_t now);

// The frame at now; the table's rows count only when the table shows.
FrameContent FrameContentOf(const Rect& screen, const FrameFlags& flags, const FrameWords& words,
                            const CaptionContent& captions, std::vector<TableRow> rows,
                            const CountdownState& countdown, int64_t now);
