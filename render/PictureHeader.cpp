#include "render/PictureHeader.h"

bool PictureSizeAcceptable(const std::string& path)
{
    PictureInfo info;
    return ReadPictureInfo(path, info) == 0 && PictureWithinLimits(info);
}
