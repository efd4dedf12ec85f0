#include "render/PictureHeader.h"

bool PictureAcceptable(const std::string& path)
{
    PictureInfo info;
    return ReadPictureInfo(path, info) == 0 && PictureWithinLimits(info) && ScansWithinLimit(path);
}
