#pragma once
// The drawing steps of a frame with the current time passed in, so the
// clocks and the countdown can be drawn for any moment. The SaverApp
// operations of the same names call these with the platform's clock.

#include "host/SaverApp.h"

#include <cstdint>
#include <string>

struct ZembrianTime {
    int hours;
    int minutes;
};

// The service's time of day: 96 times faster than local time, a new day
// every local quarter hour.
ZembrianTime ZembrianClock(int64_t time);
// Local time as strftime formats it; empty when it can't be converted or is too long.
std::string FormatTime(int64_t time, const char* format);
// Seconds until the next picture, as the countdown shows it.
int SecondsLeft(const SaverApp& app, int64_t now);

void DrawClocksAt(const SaverApp& app, int64_t now);
void DrawCountdownAt(const SaverApp& app, int64_t now);
int32_t DrawFrameAt(SaverApp& app, int64_t now);
