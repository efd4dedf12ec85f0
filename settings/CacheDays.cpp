#include "settings/CacheDays.h"

#include <climits>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

bool ParseCacheDays(const std::string& typed, std::string& days)
{
    size_t first = 0, last = typed.size();
    while (first < last && IsBlank(typed[first]))
        ++first;
    while (last > first && IsBlank(typed[last - 1]))
        --last;
    if (first == last)
        return false;
    long long value = 0;
    for (size_t i = first; i < last; ++i) {
        if (typed[i] < '0' || typed[i] > '9')
            return false;
        value = value * 10 + (typed[i] - '0');
        if (value > INT_MAX)
            return false;
    }
    days = typed.substr(first, last - first);
    return true;
}

int CacheDaysOption(const KeyValueStore& options)
{
    std::string days;
    if (!ParseCacheDays(options.GetString("CacheDays", ""), days))
        return DefaultCacheDays;
    return std::stoi(days);
}
