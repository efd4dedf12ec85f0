// The picture header as D3DX reads it: the same library then decodes the
// picture into a texture. The one D3DX call of platform/.

#include "platform/PictureInfo.h"

#include <d3dx9tex.h>

int ReadPictureInfo(const std::string& path, PictureInfo& info)
{
    D3DXIMAGE_INFO image{};
    if (FAILED(D3DXGetImageInfoFromFileA(path.c_str(), &image)))
        return 1;
    info.jpeg = image.ImageFileFormat == D3DXIFF_JPG;
    info.width = image.Width;
    info.height = image.Height;
    return 0;
}
