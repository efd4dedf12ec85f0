#include "platform/PictureInfo.h"

bool PictureWithinLimits(const PictureInfo& info)
{
    return info.width > 0 && info.height > 0 && info.width <= MaxPictureSide && info.height <= MaxPictureSide &&
           info.width * info.height <= MaxPicturePixels;
}

bool IsAcceptableJpeg(const std::string& path)
{
    PictureInfo info;
    return ReadPictureInfo(path, info) == 0 && info.jpeg && PictureWithinLimits(info);
}
