// Folders made with mkdir and mode 0700, one level at a time.

#include "platform/Folders.h"

#include <sys/stat.h>

int CreateFolders(const std::string& path)
{
    if (path.empty())
        return 1;
    for (size_t end = path.find('/', 1); end != std::string::npos; end = path.find('/', end + 1))
        mkdir(path.substr(0, end).c_str(), 0700); // an existing level is fine; the check below decides
    mkdir(path.c_str(), 0700);
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? 0 : 1;
}
