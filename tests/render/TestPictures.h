#pragma once
// Small picture files whose headers announce a chosen size, in a temporary folder.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace testpictures {

inline std::filesystem::path Folder()
{
    auto folder = std::filesystem::temp_directory_path() / ("zembria-render-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    return folder;
}

inline std::string Write(const std::string& name, const std::vector<unsigned char>& bytes)
{
    std::string path = (Folder() / name).string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return path;
}

inline void Big16(std::vector<unsigned char>& out, uint32_t v)
{
    out.push_back(v >> 8 & 0xFF);
    out.push_back(v & 0xFF);
}

inline void Big32(std::vector<unsigned char>& out, uint32_t v)
{
    Big16(out, v >> 16);
    Big16(out, v & 0xFFFF);
}

inline void Little32(std::vector<unsigned char>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(v >> (8 * i) & 0xFF);
}

// SOI, an APP0 segment, then a baseline frame header.
inline std::vector<unsigned char> JpegHeader(uint32_t width, uint32_t height)
{
    std::vector<unsigned char> out = {0xFF, 0xD8, 0xFF, 0xE0};
    Big16(out, 16);
    const char jfif[] = "JFIF\0\1\1\0\0\1\0\1\0";
    out.insert(out.end(), jfif, jfif + 14);
    out.insert(out.end(), {0xFF, 0xC0});
    Big16(out, 17);
    out.push_back(8);
    Big16(out, height);
    Big16(out, width);
    out.insert(out.end(), {3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1});
    return out;
}

inline std::vector<unsigned char> PngHeader(uint32_t width, uint32_t height)
{
    std::vector<unsigned char> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Big32(out, 13);
    out.insert(out.end(), {'I', 'H', 'D', 'R'});
    Big32(out, width);
    Big32(out, height);
    out.insert(out.end(), {8, 6, 0, 0, 0, 0, 0, 0, 0});
    return out;
}

inline std::vector<unsigned char> BmpHeader(int32_t width, int32_t height)
{
    std::vector<unsigned char> out = {'B', 'M'};
    Little32(out, 54);
    Little32(out, 0);
    Little32(out, 54);
    Little32(out, 40);
    Little32(out, static_cast<uint32_t>(width));
    Little32(out, static_cast<uint32_t>(height));
    out.insert(out.end(), {1, 0, 24, 0});
    for (int i = 0; i < 6; ++i)
        Little32(out, 0);
    return out;
}

} // namespace testpictures
