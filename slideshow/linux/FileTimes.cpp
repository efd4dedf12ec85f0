// File times from statx: the birth time where the file system records one.

#include "slideshow/FileTimes.h"

#include <fcntl.h>
#include <sys/stat.h>

int ReadFileTimes(const std::filesystem::path& path, int64_t& created, int64_t& written)
{
    struct statx info {};
    if (statx(AT_FDCWD, path.c_str(), AT_STATX_SYNC_AS_STAT, STATX_MTIME | STATX_BTIME, &info) != 0) {
        return 1;
    }
    written = info.stx_mtime.tv_sec;
    created = (info.stx_mask & STATX_BTIME) ? info.stx_btime.tv_sec : written;
    return 0;
}
