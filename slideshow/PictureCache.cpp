// The picture cache at start-up: make sure the folder exists, delete the
// pictures that have outlived CacheDays, and list the rest in the order the
// folder gives them. Only file-system calls: no command lines, no exceptions.

#include "slideshow/PictureCache.h"

#include "platform/Paths.h"
#include "slideshow/CacheRules.h"
#include "slideshow/FileTimes.h"
#include "slideshow/NativePath.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// A folder we can create files in; a leftover probe file is truncated and removed.
bool ProbeWritable(const std::string& directory)
{
    const std::string probe = JoinPath(directory, "dummy.txt");
    std::FILE* file = std::fopen(probe.c_str(), "w");
    if (file == nullptr) {
        return false;
    }
    std::fclose(file);
    std::error_code ignored;
    fs::remove(PathFromText(probe), ignored);
    return true;
}

} // namespace

std::vector<std::string> PrepareCacheFolder(const std::string& directory, int cacheDays, int64_t now)
{
    std::vector<std::string> pictureList;
    if (!ProbeWritable(directory)) {
        // Missing (or unusable): create it for the downloads to come; nothing to list.
        std::error_code ignored;
        fs::create_directories(PathFromText(directory), ignored);
        return pictureList;
    }

    std::error_code error;
    fs::directory_iterator entry(PathFromText(directory), error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        std::string name;
        const bool nameFits = TextFromPath(entry->path().filename(), name);
        if (!IsCachedPictureName(name)) {
            continue;
        }
        std::error_code kindError;
        if (!entry->is_regular_file(kindError)) {
            continue; // folders and other odd entries named *.jpg are not pictures
        }
        int64_t created = 0;
        int64_t written = 0;
        if (ReadFileTimes(entry->path(), created, written) != 0) {
            continue; // gone since the folder was read
        }
        if (StaysInCache(now, created, written, cacheDays)) {
            if (nameFits) {
                pictureList.push_back(JoinPath(directory, name));
            } // a name the code page can't spell couldn't be loaded by it either
        } else {
            std::error_code ignored;
            fs::remove(entry->path(), ignored); // one that can't be removed stays unlisted
        }
    }
    return pictureList;
}
