#pragma once
// Paths are formed as the saver always formed them, "%s\\%s", with the
// platform's own separator so the native build reads real folders.

#include <string>

#ifdef _WIN32
constexpr char PathSeparator = '\\';
#else
constexpr char PathSeparator = '/';
#endif

inline std::string JoinPath(const std::string& directory, const std::string& name)
{
    return directory + PathSeparator + name;
}
