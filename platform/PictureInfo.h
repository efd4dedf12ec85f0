#pragma once
// What a picture file's header says, read by the decoder that will load the
// file (WIC on Windows, TurboJPEG elsewhere), so that no second reader of
// our own can disagree with it about the size. Pictures come from the
// network: a file that announces an enormous image is refused before it is
// decoded, and a file the decoder can't read is refused as well. So is a
// progressive JPEG of more scans than any encoder makes: each scan costs a
// pass over the whole image, so a small file could keep the decoder busy
// for minutes.

#include <cstdint>
#include <string>

struct PictureInfo {
    bool jpeg = false;
    int64_t width = 0;
    int64_t height = 0;
};

constexpr int64_t MaxPicturePixels = 100'000'000;
constexpr int64_t MaxPictureSide = 16384;
// Encoders make ten or fewer; the rest leaves room for hand-made scan scripts.
constexpr int MaxPictureScans = 100;

// 0 when the decoder read the file's header into info; 1 when it couldn't.
int ReadPictureInfo(const std::string& path, PictureInfo& info);

// Both sides and the pixel count within the limits.
bool PictureWithinLimits(const PictureInfo& info);

// The check before a picture is decoded: at most MaxPictureScans scans
// (platform/JpegScans.h; a file that is no JPEG has none to repeat), counted
// before the decoder is let near the file; then the decoder's header, within
// the limits, in info.
bool ReadAcceptablePicture(const std::string& path, PictureInfo& info);

// What the download keeps: a JPEG that the decoder reads as within the
// limits, of no more scans than the limit.
bool IsAcceptableJpeg(const std::string& path);
