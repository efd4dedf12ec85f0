#pragma once
// Small picture files whose headers announce a chosen size, in a temporary folder.

#include "tests/support/JpegHeader.h"

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

using jpegbytes::Big16;
using jpegbytes::Big32;
using jpegbytes::JpegHeader;

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

} // namespace testpictures
