// The picture header as TurboJPEG reads it: the decoder of the native build.
// It reads JPEG only, so every picture it reads is one.

#include "platform/PictureInfo.h"

#include <turbojpeg.h>

#include <fstream>
#include <iterator>
#include <vector>

int ReadPictureInfo(const std::string& path, PictureInfo& info)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return 1;
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    tjhandle decoder = tjInitDecompress();
    if (decoder == nullptr)
        return 1;
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    const int result = tjDecompressHeader3(decoder, bytes.data(), static_cast<unsigned long>(bytes.size()), &width,
                                           &height, &subsampling, &colourspace);
    tjDestroy(decoder);
    if (result != 0)
        return 1;
    info.jpeg = true;
    info.width = width;
    info.height = height;
    return 0;
}
