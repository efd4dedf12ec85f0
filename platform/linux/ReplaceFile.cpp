// Replacing a file: POSIX rename replaces the target in one step; the folder
// is then synced, or a crash could bring the old name back.

#include "platform/ReplaceFile.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace {

std::string FolderOf(const std::string& path)
{
    const size_t separator = path.find_last_of('/');
    if (separator == std::string::npos)
        return ".";
    return separator == 0 ? "/" : path.substr(0, separator);
}

} // namespace

int ReplaceFileWith(const std::string& from, const std::string& to)
{
    if (std::rename(from.c_str(), to.c_str()) != 0)
        return 1;
    const int folder = open(FolderOf(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder); // the file is in place already; a failed sync changes nothing about that
        close(folder);
    }
    return 0;
}

std::string SavedFileFor(const std::string& target)
{
    std::string path = target;
    // A chain of links is followed as open would follow it; a loop is left as it is.
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        std::vector<char> text(static_cast<size_t>(info.st_size > 0 ? info.st_size : PATH_MAX) + 1);
        const ssize_t length = readlink(path.c_str(), text.data(), text.size());
        if (length <= 0 || static_cast<size_t>(length) >= text.size())
            return path;
        const std::string link(text.data(), static_cast<size_t>(length));
        path = link[0] == '/' ? link : FolderOf(path) + "/" + link;
    }
    return target;
}

int MatchTargetAccess(std::FILE* file, const std::string& target)
{
    mode_t mode = S_IRUSR | S_IWUSR;
    struct stat info {};
    if (stat(target.c_str(), &info) == 0) {
        if ((info.st_mode & S_IWUSR) == 0)
            return 1;
        mode &= info.st_mode;
    } else if (errno != ENOENT) {
        return 1;
    }
    return fchmod(fileno(file), mode) == 0 ? 0 : 1;
}
