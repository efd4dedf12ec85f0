// flock on a file of our own: the kernel lets go of it when the holder dies,
// however it dies, so a hack that is killed hands over by itself.

#include "platform/FileLock.h"

#include "platform/OwnFile.h"

#include <cerrno>
#include <cstring>
#include <sys/file.h>
#include <unistd.h>

FileLockResult PlatformTryLockFile(const std::string& path, int& handle, std::string& reason)
{
    // Each try opens the file anew: flock conflicts between open files, so
    // two holders in one process (the tests) exclude each other too. Only a
    // plain file of ours: a lock someone else made there is no lock of ours.
    const int file = PlatformOpenOwnFile(path, reason);
    if (file < 0)
        return FileLockResult::Unsupported;
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
