// Replacing a cached picture with a finished download: rename is atomic.

#include "service/ReplaceFile.h"

#include <cstdio>

int ReplaceFileWith(const std::string& source, const std::string& target)
{
    return std::rename(source.c_str(), target.c_str()) == 0 ? 0 : 1;
}
