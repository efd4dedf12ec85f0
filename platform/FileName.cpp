#include "platform/FileName.h"

namespace {

bool IsLetterOrDigit(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Windows opens a device, not a file, for these names with any extension.
bool IsDeviceName(const std::string& name)
{
    std::string stem = name.substr(0, name.find('.'));
    for (char& c : stem)
        c = Upper(c);
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL")
        return true;
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
           stem[3] >= '0' && stem[3] <= '9';
}

} // namespace

bool EndsInJpg(const std::string& name)
{
    if (name.size() < 4)
        return false;
    const std::string end = name.substr(name.size() - 4);
    return end[0] == '.' && Upper(end[1]) == 'J' && Upper(end[2]) == 'P' && Upper(end[3]) == 'G';
}

bool IsPictureFileName(const std::string& name)
{
    if (name.empty() || name.size() > MaxPictureNameLength || !IsLetterOrDigit(name[0]))
        return false;
    for (const char c : name)
        if (!IsLetterOrDigit(c) && c != '.' && c != '_' && c != '-')
            return false;
    return EndsInJpg(name) && !IsDeviceName(name);
}
