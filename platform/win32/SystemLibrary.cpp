#include "platform/win32/SystemLibrary.h"

#include <string>

HMODULE LoadSystemLibrary(const char* name, LoadLibraryExFunction load)
{
    HMODULE module = load(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module != nullptr || GetLastError() != ERROR_INVALID_PARAMETER) return module;
    // A loader that predates the flag: the full path is never searched, and
    // the library's own imports are looked for beside it first.
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::string path = std::string(folder) + "\\" + name;
    return load(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
