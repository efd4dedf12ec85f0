// The slide-show tests' view of the recording platform.

#include "tests/slideshow/TestPlatform.h"
#include "tests/support/RecordingPlatform.h"

void SetTestNow(int64_t seconds)
{
    recording.now = seconds;
}

std::vector<ArmedTimer> ArmedTimers()
{
    std::vector<ArmedTimer> timers;
    for (const RecordedTimer& timer : recording.armed) {
        timers.push_back({timer.id, timer.milliseconds});
    }
    return timers;
}

std::vector<uint32_t> KilledTimers()
{
    std::vector<uint32_t> ids;
    for (const RecordedTimer& timer : recording.killed) {
        ids.push_back(timer.id);
    }
    return ids;
}

void ClearTimerRecord()
{
    recording.armed.clear();
    recording.killed.clear();
}
