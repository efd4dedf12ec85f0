#include "slideshow/CacheRules.h"

#include "platform/FileName.h"

#include <algorithm>
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

namespace {

// One or more decimal digits from first up to, not including, last.
bool AllDigits(const std::string& text, size_t first, size_t last)
{
    return first < last && std::all_of(text.begin() + static_cast<long>(first), text.begin() + static_cast<long>(last),
                                       [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

bool IsOwnTemporaryName(const std::string& fileName)
{
    constexpr size_t suffixLength = 4; // ".tmp"
    if (fileName.size() <= suffixLength || fileName.compare(fileName.size() - suffixLength, suffixLength, ".tmp") != 0)
        return false;
    const size_t end = fileName.size() - suffixLength;
    const size_t dash = fileName.rfind('-', end);
    const size_t dot = dash == std::string::npos || dash == 0 ? std::string::npos : fileName.rfind('.', dash - 1);
    if (dot == std::string::npos || !AllDigits(fileName, dot + 1, dash) || !AllDigits(fileName, dash + 1, end))
        return false;
    const std::string base = fileName.substr(0, dot);
    return IsPictureFileName(base) || base == "dummy.txt" || base == CacheAnswerName;
}

bool IsAnswerTemporaryName(const std::string& fileName)
{
    return fileName.rfind(std::string(CacheAnswerName) + ".", 0) == 0 && IsOwnTemporaryName(fileName);
}

bool IsStaleTemporary(int64_t now, int64_t written)
{
    return written < now && now - written > StaleTemporarySeconds;
}

bool CacheExpiryDue(int64_t now, int64_t lastExpiry, int64_t intervalSeconds)
{
    // A clock set back is no reason to wait longer.
    return now < lastExpiry || now - lastExpiry + intervalSeconds >= CacheExpiryPeriodSeconds;
}

std::vector<size_t> PicturesToDelete(const std::vector<CachedPicture>& pictures, int64_t now, int cacheDays,
                                     uint64_t limitBytes, const std::string& keepName)
{
    std::vector<bool> deleted(pictures.size(), false);
    std::vector<size_t> staying;
    uint64_t total = 0;
    for (size_t i = 0; i < pictures.size(); ++i) {
        const CachedPicture& picture = pictures[i];
        if (picture.name != keepName && !StaysInCache(now, picture.created, picture.written, cacheDays)) {
            deleted[i] = true;
        } else {
            staying.push_back(i);
            total += picture.size;
        }
    }
    std::sort(staying.begin(), staying.end(), [&](size_t a, size_t b) {
        if (pictures[a].written != pictures[b].written)
            return pictures[a].written < pictures[b].written;
        return pictures[a].name < pictures[b].name;
    });
    for (size_t i : staying) {
        if (total <= limitBytes)
            break;
        if (pictures[i].name == keepName)
            continue;
        deleted[i] = true;
        total -= pictures[i].size;
    }
    std::vector<size_t> positions;
    for (size_t i = 0; i < pictures.size(); ++i)
        if (deleted[i])
            positions.push_back(i);
    return positions;
}
