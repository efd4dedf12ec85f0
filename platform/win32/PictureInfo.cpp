// The picture header as D3DX reads it: the same library then decodes the
// picture into a texture. Without D3DX nothing can be read, so nothing passes.

#include "platform/PictureInfo.h"

#include "platform/win32/D3dxLibrary.h"

int ReadPictureInfo(const std::string& path, PictureInfo& info)
{
    const D3dxLibrary* d3dx = D3dx();
    D3DXIMAGE_INFO image{};
    if (!d3dx || FAILED(d3dx->GetImageInfoFromFileA(path.c_str(), &image)))
        return 1;
    info.jpeg = image.ImageFileFormat == D3DXIFF_JPG;
    info.width = image.Width;
    info.height = image.Height;
    return 0;
}
