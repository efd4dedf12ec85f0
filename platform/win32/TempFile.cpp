// Exclusive creation and flushing with the C runtime's descriptor calls,
// which stand on CreateFile (CREATE_NEW) and FlushFileBuffers.

#include "platform/TempFile.h"

#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>

std::FILE* OpenNewFile(const std::string& path)
{
    const int descriptor = _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (descriptor < 0)
        return nullptr;
    std::FILE* file = _fdopen(descriptor, "wb");
    if (file == nullptr)
        _close(descriptor);
    return file;
}

unsigned long CurrentProcessId()
{
    return static_cast<unsigned long>(_getpid());
}

int FlushToDisk(std::FILE* file)
{
    return std::fflush(file) == 0 && _commit(_fileno(file)) == 0 ? 0 : 1;
}
