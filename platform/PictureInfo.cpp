#include "platform/PictureInfo.h"

#include "platform/JpegScans.h"

#include <fstream>

bool PictureWithinLimits(const PictureInfo& info)
{
    return info.width > 0 && info.height > 0 && info.width <= MaxPictureSide && info.height <= MaxPictureSide &&
           info.width * info.height <= MaxPicturePixels;
}

namespace {

bool ScansWithinLimit(const std::string& path)
{
    std::filebuf file;
    if (file.open(path, std::ios::in | std::ios::binary) == nullptr)
        return false;
    return CountJpegScans(file, MaxPictureScans) <= MaxPictureScans;
}

} // namespace

bool ReadAcceptablePicture(const std::string& path, PictureInfo& info)
{
    // Scans first: the decoder never meets a file of too many.
    return ScansWithinLimit(path) && ReadPictureInfo(path, info) == 0 && PictureWithinLimits(info);
}

bool IsAcceptableJpeg(const std::string& path)
{
    PictureInfo info;
    return ReadAcceptablePicture(path, info) && info.jpeg;
}
