#pragma once
// What the slide-show tests need of the platform: a clock they drive and a
// record of the window timers armed and killed.

#include <cstdint>
#include <vector>

struct ArmedTimer {
    uint32_t id = 0;
    uint32_t milliseconds = 0;
};

void SetTestNow(int64_t seconds);
std::vector<ArmedTimer> ArmedTimers();
std::vector<uint32_t> KilledTimers();
void ClearTimerRecord();
