#include "settings/RefreshRate.h"

namespace {

struct RefreshInterval {
    int seconds;
    const char* text;
};

constexpr RefreshInterval intervals[RefreshIntervalCount] = {
    {10, "10 secs"}, {15, "15 secs"}, {30, "30 secs"}, {50, "50 secs"}, {60, " 1 min"},
    {120, " 2 min"}, {180, " 3 min"}, {300, " 5 min"}, {600, "10 min"}, {1800, "30 min"}};

constexpr int fallbackIndex = 3;

bool InTable(int index) { return index >= 0 && index < RefreshIntervalCount; }

} // namespace

int RefreshSecondsOfIndex(int index)
{
    return intervals[InTable(index) ? index : fallbackIndex].seconds;
}

std::string RefreshIndexText(int seconds)
{
    for (int index = 0; index < RefreshIntervalCount; ++index) {
        if (intervals[index].seconds == seconds) {
            return std::to_string(index);
        }
    }
    return std::to_string(fallbackIndex);
}

const char* RefreshIntervalText(int index)
{
    return InTable(index) ? intervals[index].text : "";
}
