#include "render/PictureHeader.h"

bool PictureAcceptable(const std::string& path)
{
    PictureInfo info;
    return ReadAcceptablePicture(path, info);
}
