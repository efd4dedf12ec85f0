// File times from the file system's own attributes (NTFS keeps a creation time).

#include "slideshow/FileTimes.h"

#include <windows.h>

namespace {

// FILETIME counts 100 ns intervals since 1601-01-01.
int64_t SecondsSinceEpoch(const FILETIME& time)
{
    const uint64_t ticks = (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    constexpr int64_t epochOffset = 11644473600; // seconds from 1601 to 1970
    return static_cast<int64_t>(ticks / 10000000) - epochOffset;
}

} // namespace

int ReadFileTimes(const std::filesystem::path& path, int64_t& created, int64_t& written)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return 1;
    }
    written = SecondsSinceEpoch(data.ftLastWriteTime);
    const bool hasCreation = data.ftCreationTime.dwHighDateTime != 0 || data.ftCreationTime.dwLowDateTime != 0;
    created = hasCreation ? SecondsSinceEpoch(data.ftCreationTime) : written;
    return 0;
}
