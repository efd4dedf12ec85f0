// Opened with O_NOFOLLOW | O_NONBLOCK so that neither a link nor a FIFO can
// hold the caller, then judged by fstat on what was really opened: checking
// the name first would leave a moment to swap the file under it.

#include "platform/OwnFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The descriptor, or -1 with reason (and missing set when there is no file).
int OpenChecked(const std::string& path, int flags, std::string& reason, bool& missing, off_t& size)
{
    const int file = open(path.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (file < 0) {
        missing = errno == ENOENT;
        reason = errno == ELOOP ? "a link" : std::strerror(errno);
        return -1;
    }
    struct stat info {};
    if (fstat(file, &info) != 0)
        reason = std::strerror(errno);
    else if (!S_ISREG(info.st_mode))
        reason = "not a plain file";
    else if (info.st_uid != geteuid())
        reason = "a file of another user";
    else {
        size = info.st_size;
        return file;
    }
    close(file);
    return -1;
}

std::string TooLarge(size_t limit)
{
    return "larger than " + std::to_string(limit) + " bytes";
}

// Up to limit + 1 bytes: one more than allowed tells a file that grew.
bool ReadAtMost(int file, size_t limit, std::string& text, std::string& reason)
{
    char chunk[16384];
    while (text.size() <= limit) {
        const ssize_t got = read(file, chunk, std::min(sizeof chunk, limit + 1 - text.size()));
        if (got == 0)
            return true;
        if (got < 0 && errno != EINTR) {
            reason = std::strerror(errno);
            return false;
        }
        if (got > 0)
            text.append(chunk, static_cast<size_t>(got));
    }
    reason = TooLarge(limit);
    return false;
}

} // namespace

OwnFileRead PlatformReadOwnFile(const std::string& path, size_t limit, std::string& text, std::string& reason)
{
    bool missing = false;
    off_t size = 0;
    const int file = OpenChecked(path, O_RDONLY, reason, missing, size);
    if (file < 0)
        return missing ? OwnFileRead::Absent : OwnFileRead::Refused;
    std::string read;
    bool whole = false;
    if (static_cast<uintmax_t>(size) > limit)
        reason = TooLarge(limit); // not a byte of it is read
    else
        whole = ReadAtMost(file, limit, read, reason);
    close(file);
    if (!whole)
        return OwnFileRead::Refused;
    text.swap(read);
    return OwnFileRead::Read;
}

int PlatformOpenOwnFile(const std::string& path, std::string& reason)
{
    bool missing = false;
    off_t size = 0;
    return OpenChecked(path, O_RDWR | O_CREAT, reason, missing, size);
}
