// The picture header as WIC reads it: WIC's decoder then loads the picture
// into a texture, so both agree on what the file holds.

#include "platform/PictureInfo.h"

#include "platform/win32/Wic.h"

int ReadPictureInfo(const std::string& path, PictureInfo& info)
{
    ComApartment apartment;
    ComPtr<IWICImagingFactory> factory = CreateWicFactory();
    ComPtr<IWICBitmapFrameDecode> frame;
    GUID format{};
    UINT width = 0, height = 0;
    if (FAILED(OpenImageFrame(factory.Get(), path.c_str(), frame, &format)) || FAILED(frame->GetSize(&width, &height)))
        return 1;
    info.jpeg = IsEqualGUID(format, GUID_ContainerFormatJpeg);
    info.width = width;
    info.height = height;
    return 0;
}
