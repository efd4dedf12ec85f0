// Replacing a cached picture with a finished download on Windows.

#include "service/ReplaceFile.h"

#include <windows.h>

int ReplaceFileWith(const std::string& source, const std::string& target)
{
    return MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
