#pragma once
// The size a picture file announces in its header (JPEG frame header, PNG
// IHDR, BMP info header), read before the file is decoded so that a file
// claiming an enormous image is refused instead of exhausting memory.

#include <cstdint>
#include <string>

struct PictureSize {
    bool known = false; // false: not a JPEG, PNG or BMP, or no size found
    int64_t width = 0;
    int64_t height = 0;
};

constexpr int64_t MaxPicturePixels = 100'000'000;
constexpr int64_t MaxPictureSide = 16384;

// D3DXERR_INVALIDDATA: what a refused picture's load returns.
constexpr long PictureRefused = static_cast<long>(static_cast<int32_t>(0x88760B59u));

PictureSize ReadPictureSize(const std::string& path);
// false when the header announces more than MaxPicturePixels or a side over MaxPictureSide.
bool PictureSizeAcceptable(const std::string& path);
