// Exclusive creation and flushing with POSIX calls. New files are private:
// options hold the member code, and the cache is nobody else's business.

#include "platform/TempFile.h"

#include <fcntl.h>
#include <unistd.h>

std::FILE* OpenNewFile(const std::string& path)
{
    // O_EXCL already refuses any existing name, a link included; O_NOFOLLOW
    // says so once more, in case the flags are ever relaxed.
    const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (descriptor < 0)
        return nullptr;
    std::FILE* file = fdopen(descriptor, "wb");
    if (file == nullptr)
        close(descriptor);
    return file;
}

unsigned long CurrentProcessId()
{
    return static_cast<unsigned long>(getpid());
}

int FlushToDisk(std::FILE* file)
{
    return std::fflush(file) == 0 && fsync(fileno(file)) == 0 ? 0 : 1;
}
