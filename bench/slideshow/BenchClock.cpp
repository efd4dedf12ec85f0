// The benchmark runs on the real clock: file ages against the time of day.

#include "platform/Platform.h"

#include <ctime>

int64_t PlatformNow()
{
    return static_cast<int64_t>(std::time(nullptr));
}
