#include "platform/PictureInfo.h"

#include "platform/JpegScans.h"

#include <fstream>

bool PictureWithinLimits(const PictureInfo& info)
{
    return info.width > 0 && info.height > 0 && info.width <= MaxPictureSide && info.height <= MaxPictureSide &&
           info.width * info.height <= MaxPicturePixels;
}

bool ScansWithinLimit(const std::string& path)
{
    std::filebuf file;
    if (file.open(path, std::ios::in | std::ios::binary) == nullptr)
        return false;
    return CountJpegScans(file, MaxPictureScans) <= MaxPictureScans;
}

bool IsAcceptableJpeg(const std::string& path)
{
    PictureInfo info;
    return ScansWithinLimit(path) && ReadPictureInfo(path, info) == 0 && info.jpeg && PictureWithinLimits(info);
}
