#pragma once
// The size check before a picture is decoded into a texture: the decoder's
// own reading of the header (platform/PictureInfo.h) must name an image
// within the limits, so a file claiming an enormous image, or one the check
// can't read, is refused instead of exhausting memory.

#include "platform/PictureInfo.h"

#include <cstdint>
#include <string>

// D3DXERR_INVALIDDATA: what a refused picture's load returns.
constexpr long PictureRefused = static_cast<long>(static_cast<int32_t>(0x88760B59u));

// false when the header can't be read or announces more than the limits.
bool PictureSizeAcceptable(const std::string& path);
