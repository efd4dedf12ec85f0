// Linux paths are byte strings: nothing to convert.

#include "slideshow/NativePath.h"

std::filesystem::path PathFromText(const std::string& text)
{
    return std::filesystem::path(text);
}

bool TextFromPath(const std::filesystem::path& path, std::string& text)
{
    text = path.native();
    return true;
}
