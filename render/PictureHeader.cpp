#include "render/PictureHeader.h"

#include "platform/JpegScans.h"

#include <fstream>

bool PictureAcceptable(const std::string& path)
{
    std::filebuf file;
    if (file.open(path, std::ios::in | std::ios::binary) == nullptr)
        return false;
    const JpegWalk walk = WalkJpeg(file, MaxPictureScans);
    if (walk.frames == 0) {
        // No JPEG frame to judge by: the decoder reads the header.
        PictureInfo info;
        return ReadAcceptablePicture(path, info);
    }
    return walk.scans <= MaxPictureScans && !walk.unreadableFrame &&
           PictureWithinLimits(PictureInfo{true, walk.width, walk.height});
}
