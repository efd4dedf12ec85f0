#include "host/linux/CacheFolderClaim.h"

#include "host/CacheShare.h"
#include "platform/Folders.h"
#include "platform/Paths.h"
#include "platform/TempFile.h"
#include "slideshow/CacheRules.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Created exclusively: a marker already there (another saver was quicker) is
// left as it is. Failing to write it only means the next run asks again.
void WriteMarker(const std::string& folder)
{
    std::FILE* file = OpenNewFile(JoinPath(folder, CacheMarkerName));
    if (file == nullptr)
        return;
    std::fputs("zembria keeps its picture cache in this folder and deletes old pictures here.\n", file);
    std::fclose(file);
}

// Empty but for the files the saver's hacks keep beside the pictures, which
// an earlier run may have left before the marker was written, or another
// hack writes while this one looks (xscreensaver starts them together).
bool HoldsNothingElse(const std::string& folder, std::error_code& failed)
{
    for (fs::directory_iterator entry(folder, failed); !failed && entry != fs::directory_iterator();
         entry.increment(failed)) {
        const std::string name = entry->path().filename().string();
        if (name != CacheLockName && name != CacheAnswerName && name != CacheMarkerName &&
            !IsAnswerTemporaryName(name))
            return false;
    }
    return true;
}

const char* const ChooseEmpty = "; choose an empty folder for the picture cache";

// Like OpenSSH's StrictModes: the saver deletes in this folder and shows what
// its files say, so nobody else may own it or write into it, and a link (which
// another user may have left where the folder was to be) is not followed.
// Empty when it is the user's own, else why not and how to mend it.
std::string WhyNotOwn(const std::string& folder)
{
    struct stat info {};
    if (lstat(folder.c_str(), &info) != 0)
        return "can't read " + folder + " (" + std::strerror(errno) + ")" + ChooseEmpty;
    if (S_ISLNK(info.st_mode))
        return folder + " is a link; give the folder itself for the picture cache";
    if (!S_ISDIR(info.st_mode))
        return folder + " is not a folder" + ChooseEmpty;
    if (info.st_uid != geteuid())
        return folder + " belongs to another user (uid " + std::to_string(info.st_uid) +
               "); choose a folder of your own for the picture cache";
    if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        char mode[8];
        std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(info.st_mode & 07777));
        return folder + " may be written by other users (mode " + mode +
               "), and the saver deletes old pictures there; make it yours alone: chmod go-w " + folder;
    }
    return {};
}

enum class Making { Made, There, Failed };

// mkdir's own word decides whether the saver made the folder: a look before
// it leaves a moment in which another user may make it (EEXIST then).
Making MakeFolder(const std::string& folder)
{
    struct stat info {};
    if (lstat(folder.c_str(), &info) == 0 || errno != ENOENT)
        return Making::There;
    const size_t parent = folder.find_last_of('/');
    if (parent != std::string::npos && parent > 0)
        CreateFolders(folder.substr(0, parent));
    if (mkdir(folder.c_str(), 0700) == 0)
        return Making::Made;
    return errno == EEXIST ? Making::There : Making::Failed;
}

} // namespace

std::string ChosenCacheFolder(const OptionOverrides& overrides)
{
    std::string folder;
    for (const auto& [key, value] : overrides)
        if (key == "ImagePath") folder = value;
    return folder;
}

int ClaimCacheFolder(const std::string& folder, CacheFolderKind kind, std::string& error)
{
    if (folder.empty())
        return 0; // no home: the saver runs without a cache
    const Making making = MakeFolder(folder);
    if (making == Making::Failed)
        return 0; // one that can't be made holds nothing to delete
    if (making == Making::Made || kind != CacheFolderKind::Default) {
        // Also one just made: it may have been swapped since.
        error = WhyNotOwn(folder);
        if (!error.empty())
            return 1;
    } else if (std::error_code failed; !fs::is_directory(folder, failed)) {
        return 0; // unusable: the saver runs without a cache, as before
    }
    std::error_code failed;
    if (fs::exists(fs::symlink_status(JoinPath(folder, CacheMarkerName), failed)))
        return 0;
    if (kind == CacheFolderKind::Chosen) {
        const bool empty = HoldsNothingElse(folder, failed);
        if (failed) {
            error = "can't read " + folder + " (" + failed.message() + ")" + ChooseEmpty;
            return 1;
        }
        if (!empty) {
            error = folder + " holds files the saver did not write" + ChooseEmpty;
            return 1;
        }
    }
    WriteMarker(folder);
    return 0;
}
