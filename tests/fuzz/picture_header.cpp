// The download's picture check against the decoder's own header reader: the
// check must never take a file that the decoder reads as larger than the
// limits, nor one the decoder can't read at all.

#include "platform/PictureInfo.h"

#include <turbojpeg.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = "/tmp/zembria-fuzz-picture-" + std::to_string(getpid()) + ".jpg";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    const bool accepted = IsAcceptableJpeg(path);

    tjhandle decoder = tjInitDecompress();
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    const bool read = tjDecompressHeader3(decoder, data, static_cast<unsigned long>(size), &width, &height,
                                          &subsampling, &colourspace) == 0;
    tjDestroy(decoder);
    const bool withinLimits = read && width > 0 && height > 0 && width <= MaxPictureSide &&
                              height <= MaxPictureSide && int64_t{width} * height <= MaxPicturePixels;
    if (accepted != withinLimits)
        std::abort();
    return 0;
}
