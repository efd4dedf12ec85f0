// Exclusive creation and flushing with POSIX calls.

#include "platform/TempFile.h"

#include <fcntl.h>
#include <unistd.h>

std::FILE* OpenNewFile(const std::string& path)
{
    const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
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
