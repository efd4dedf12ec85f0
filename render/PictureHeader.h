#pragma once
// The check before a picture is decoded into a texture: a JPEG's frame
// headers, read by the walk over its markers (platform/JpegScans.h), must
// name an image within the limits, and a progressive JPEG must hold no more
// scans than the limit, so a file claiming an enormous image, one the check
// can't read, or one that would keep the decoder busy for minutes is refused
// instead of loaded. The walk reads the file once; the decoder's own header
// reading is asked only about a file without a JPEG frame.

#include "platform/PictureInfo.h"

#include <cstdint>
#include <string>

// What a refused picture's load returns; the devices' own failures are other non-zero values.
constexpr long PictureRefused = 2;

// false when the header can't be read, announces more than the limits, or the
// file holds too many scans.
bool PictureAcceptable(const std::string& path);
