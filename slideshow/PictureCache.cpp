// The picture cache on disk: make sure the folder exists, delete what has
// outlived CacheDays or doesn't fit in the bound, and list the rest in the
// order the folder gives them. Only file-system calls: no command lines, no
// exceptions.

#include "slideshow/PictureCache.h"

#include "platform/Folders.h"
#include "platform/Paths.h"
#include "platform/TempFile.h"
#include "slideshow/CacheRules.h"
#include "slideshow/FileTimes.h"
#include "slideshow/NativePath.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// A folder we can create files in. The probe is created exclusively, so an
// existing dummy.txt (a leftover, or a file or link someone planted) is never
// opened; a name of our own stands in for it then.
constexpr const char* ProbeName = "dummy.txt";

bool ProbeWritable(const std::string& directory)
{
    const std::string probe = JoinPath(directory, ProbeName);
    std::string made = probe;
    std::FILE* file = OpenNewFile(probe);
    if (file == nullptr && CreateTempFileFor(probe, made, file) != 0)
        return false;
    std::fclose(file);
    std::remove(made.c_str());
    return true;
}

// A leftover of ours is a file we made, never a link (someone else's file
// may lie behind it).
bool IsPlainFile(const fs::directory_entry& entry)
{
    std::error_code error;
    return !entry.is_symlink(error) && !error;
}

// What the probe makes: never one with content (not the probe's).
bool IsEmptyPlainFile(const fs::directory_entry& entry)
{
    if (!IsPlainFile(entry))
        return false; // its size would be the target's
    std::error_code error;
    const uintmax_t size = entry.file_size(error);
    return !error && size == 0;
}

struct FolderEntry {
    fs::path path;
    bool nameFits = true; // the code page can spell the name
};

struct Listing {
    std::vector<CachedPicture> pictures;
    std::vector<FolderEntry> entries; // beside pictures, one for one
};

// The pictures in the folder; at start-up also removes the saver's own
// abandoned temporary files met on the way.
Listing ListFolder(const std::string& directory, int64_t now, bool sweepTemporaries)
{
    Listing listing;
    std::error_code error;
    fs::directory_iterator entry(PathFromText(directory), error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        std::string name;
        const bool nameFits = TextFromPath(entry->path().filename(), name);
        const bool picture = IsCachedPictureName(name);
        // A probe whose delete failed leaves dummy.txt itself behind.
        const bool probe = sweepTemporaries && name == ProbeName;
        if (!picture && !probe && !(sweepTemporaries && IsOwnTemporaryName(name)))
            continue;
        std::error_code kindError;
        if (!entry->is_regular_file(kindError))
            continue; // folders and other odd entries are not ours
        CachedPicture times{name};
        if (ReadFileTimes(entry->path(), times.created, times.written) != 0)
            continue; // gone since the folder was read
        if (!picture) {
            std::error_code ignored;
            if (IsStaleTemporary(now, times.written) && (probe ? IsEmptyPlainFile(*entry) : IsPlainFile(*entry)))
                fs::remove(entry->path(), ignored);
            continue;
        }
        std::error_code sizeError;
        times.size = entry->file_size(sizeError);
        if (sizeError)
            times.size = 0; // gone since the folder was read: it takes no room
        listing.pictures.push_back(times);
        listing.entries.push_back({entry->path(), nameFits});
    }
    return listing;
}

// Deletes what the rules choose; marks in kept what stays on disk.
std::vector<size_t> DeleteChosen(const Listing& listing, int cacheDays, int64_t now, uint64_t limitBytes,
                                 const std::string& keepName, std::vector<bool>& kept)
{
    kept.assign(listing.pictures.size(), true);
    std::vector<size_t> deleted;
    for (size_t i : PicturesToDelete(listing.pictures, now, cacheDays, limitBytes, keepName)) {
        kept[i] = false; // one that can't be removed stays unlisted
        std::error_code error;
        if (fs::remove(listing.entries[i].path, error))
            deleted.push_back(i);
    }
    return deleted;
}

std::vector<std::string> ListedPaths(const std::string& directory, const Listing& listing, const std::vector<bool>& kept)
{
    std::vector<std::string> paths;
    for (size_t i = 0; i < listing.pictures.size(); ++i) {
        // A name the code page can't spell couldn't be loaded by it either.
        if (kept[i] && listing.entries[i].nameFits)
            paths.push_back(JoinPath(directory, listing.pictures[i].name));
    }
    return paths;
}

} // namespace

std::vector<std::string> PrepareCacheFolder(const std::string& directory, int cacheDays, int64_t now,
                                            uint64_t limitBytes)
{
    if (directory.empty())
        return {};
    if (!ProbeWritable(directory)) {
        // Missing (or unusable): create it for the downloads to come; nothing to list.
        CreateFolders(directory);
        return {};
    }
    const Listing listing = ListFolder(directory, now, true);
    std::vector<bool> kept;
    DeleteChosen(listing, cacheDays, now, limitBytes, {}, kept);
    return ListedPaths(directory, listing, kept);
}

std::vector<std::string> ListCacheFolder(const std::string& directory)
{
    if (directory.empty())
        return {};
    const Listing listing = ListFolder(directory, 0, false);
    return ListedPaths(directory, listing, std::vector<bool>(listing.pictures.size(), true));
}

std::string FirstCachedPicture(const std::string& directory)
{
    const std::vector<std::string> pictures = ListCacheFolder(directory);
    return pictures.empty() ? std::string() : pictures.front();
}

std::vector<std::string> ExpireCacheFolder(const std::string& directory, int cacheDays, int64_t now,
                                           uint64_t limitBytes, const std::string& keepName)
{
    std::vector<std::string> names;
    if (directory.empty())
        return names;
    const Listing listing = ListFolder(directory, now, false);
    std::vector<bool> kept;
    for (size_t i : DeleteChosen(listing, cacheDays, now, limitBytes, keepName, kept))
        names.push_back(listing.pictures[i].name);
    return names;
}
