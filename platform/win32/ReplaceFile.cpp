// Replacing a file: the C library's rename refuses an existing target on
// Windows, so ask the kernel to replace it.

#include "platform/ReplaceFile.h"

#include <windows.h>

int ReplaceFileWith(const std::string& from, const std::string& to)
{
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 0 : 1;
}
