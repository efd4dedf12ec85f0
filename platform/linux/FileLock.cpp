// flock on a file of our own: the kernel lets go of it when the holder dies,
// however it dies, so a hack that is killed hands over by itself.

#include "platform/FileLock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

FileLockResult PlatformTryLockFile(const std::string& path, int& handle, std::string& reason)
{
    // Each try opens the file anew: flock conflicts between open files, so
    // two holders in one process (the tests) exclude each other too.
    const int file = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (file < 0) {
        reason = std::strerror(errno);
        return FileLockResult::Unsupported;
    }
    if (flock(file, LOCK_EX | LOCK_NB) == 0) {
        handle = file;
        return FileLockResult::Held;
    }
    const int error = errno;
    close(file);
    if (error == EWOULDBLOCK || error == EINTR)
        return FileLockResult::Busy;
    reason = std::strerror(error);
    return FileLockResult::Unsupported;
}

void PlatformUnlockFile(int handle)
{
    if (handle >= 0)
        close(handle); // closing the last descriptor lets the lock go
}
