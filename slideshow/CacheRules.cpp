#include "slideshow/CacheRules.h"

#include "platform/FileName.h"

#include <limits>

int64_t AgeInDays(int64_t now, int64_t then)
{
    int64_t seconds = 0;
    if (__builtin_sub_overflow(now, then, &seconds)) {
        // Only nonsense times get here; saturate instead of overflowing.
        seconds = now > then ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
    }
    return seconds / SecondsPerDay;
}

bool StaysInCache(int64_t now, int64_t created, int64_t written, int cacheDays)
{
    return AgeInDays(now, created) < cacheDays && AgeInDays(now, written) < cacheDays;
}

bool IsCachedPictureName(const std::string& fileName)
{
    return EndsInJpg(fileName); // the rule the service's picture names end by
}
