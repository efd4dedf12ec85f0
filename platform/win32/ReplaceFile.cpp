// Replacing a file: the C library's rename refuses an existing target on
// Windows, so ask the kernel to replace it.

#include "platform/ReplaceFile.h"

#include <windows.h>

int ReplaceFileWith(const std::string& from, const std::string& to)
{
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 0 : 1;
}

// The options file beside the module is replaced as it is.
std::string SavedFileFor(const std::string& target)
{
    return target;
}

// Access follows the folder's inheritable rights; MoveFileExA refuses a read-only target itself.
int MatchTargetAccess(std::FILE*, const std::string&)
{
    return 0;
}
