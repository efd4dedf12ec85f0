// Folders made with CreateDirectoryA, one level at a time; they inherit the
// rights of the folder they are made in.

#include "platform/Folders.h"

#include <windows.h>

int CreateFolders(const std::string& path)
{
    if (path.empty())
        return 1;
    for (size_t end = path.find_first_of("\\/", 1); end != std::string::npos;
         end = path.find_first_of("\\/", end + 1)) {
        const std::string level = path.substr(0, end);
        if (level.back() != ':' && level.back() != '\\' && level.back() != '/')
            CreateDirectoryA(level.c_str(), nullptr); // an existing level is fine; the check below decides
    }
    CreateDirectoryA(path.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
}
