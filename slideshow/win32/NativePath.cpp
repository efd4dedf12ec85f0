// Narrow texts are in the ANSI code page; the file system speaks UTF-16.

#include "slideshow/NativePath.h"

#include <windows.h>

std::filesystem::path PathFromText(const std::string& text)
{
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int wide = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring result(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, result.data(), wide);
    return std::filesystem::path(result);
}

bool TextFromPath(const std::filesystem::path& path, std::string& text)
{
    const std::wstring& wide = path.native();
    text.clear();
    if (wide.empty()) {
        return true;
    }
    const int size = static_cast<int>(wide.size());
    BOOL lossy = FALSE;
    const int narrow = WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, &lossy);
    text.assign(static_cast<size_t>(narrow), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), size, text.data(), narrow, nullptr, &lossy);
    return !lossy && narrow > 0;
}
