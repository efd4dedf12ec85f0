#include "render/PictureHeader.h"

bool PictureAcceptable(const std::string& path)
{
    PictureInfo info;
    return ScansWithinLimit(path) && ReadPictureInfo(path, info) == 0 && PictureWithinLimits(info);
}
