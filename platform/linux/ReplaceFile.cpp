// Replacing a file: POSIX rename already replaces the target in one step.

#include "platform/ReplaceFile.h"

#include <cstdio>

int ReplaceFileWith(const std::string& from, const std::string& to)
{
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : 1;
}
