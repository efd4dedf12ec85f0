#include "host/linux/CacheFolderClaim.h"

#include "host/CacheShare.h"
#include "platform/Folders.h"
#include "platform/Paths.h"
#include "platform/TempFile.h"

#include <cstdio>
#include <filesystem>

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
// an earlier run may have left before the marker was written.
bool HoldsNothingElse(const std::string& folder, std::error_code& failed)
{
    for (fs::directory_iterator entry(folder, failed); !failed && entry != fs::directory_iterator();
         entry.increment(failed)) {
        const std::string name = entry->path().filename().string();
        if (name != CacheLockName && name != CacheAnswerName)
            return false;
    }
    return true;
}

const char* const ChooseEmpty = "; choose an empty folder for the picture cache";

} // namespace

std::string ChosenCacheFolder(const OptionOverrides& overrides)
{
    std::string folder;
    for (const auto& [key, value] : overrides)
        if (key == "ImagePath") folder = value;
    return folder;
}

int ClaimCacheFolder(const std::string& folder, bool chosen, std::string& error)
{
    if (folder.empty())
        return 0; // no home: the saver runs without a cache
    std::error_code failed;
    const fs::file_status status = fs::status(folder, failed);
    if (!fs::exists(status)) {
        // Ours from the start. One that can't be made holds nothing to delete.
        if (CreateFolders(folder) == 0)
            WriteMarker(folder);
        return 0;
    }
    if (!fs::is_directory(status)) {
        if (!chosen)
            return 0; // unusable: the saver runs without a cache, as before
        error = folder + " is not a folder" + ChooseEmpty;
        return 1;
    }
    if (fs::exists(fs::symlink_status(JoinPath(folder, CacheMarkerName), failed)))
        return 0;
    if (chosen) {
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
