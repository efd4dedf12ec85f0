// WIC decodes: a file or a resource's bytes to the first frame; a picture
// much larger than asked for is first decoded smaller by its own decoder
// (a JPEG at 1/2, 1/4 or 1/8), then scaled to the exact size by the best
// filter the system has, converted to 32-bit BGRA and colour-keyed.

#include "render/win32/WicImage.h"

#include "platform/win32/Wic.h"

#include <algorithm>

namespace {

// An opaque pure-black pixel becomes fully transparent, as a colour key
// of 0xFF000000 does.
constexpr uint32_t ColourKey = 0xFF000000;

DecodedImage Failed(HRESULT result)
{
    DecodedImage image;
    image.result = FAILED(result) ? result : E_FAIL;
    return image;
}

// The smallest size the decoder makes by itself that still covers the
// request on both sides, decoded into a bitmap; the frame itself when the
// decoder can't or the picture isn't at least twice the size.
ComPtr<IWICBitmapSource> DecodedSmaller(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, UINT sourceWidth,
                                        UINT sourceHeight, UINT width, UINT height)
{
    ComPtr<IWICBitmapSource> source = frame;
    ComPtr<WicSourceTransform> transform;
    if (sourceWidth < 2 * width || sourceHeight < 2 * height || FAILED(frame->QueryInterface(IID_PPV_ARGS(&transform))))
        return source;
    BOOL supported = FALSE;
    if (FAILED(transform->DoesSupportTransform(WICBitmapTransformRotate0, &supported)) || !supported)
        return source;
    UINT bestWidth = sourceWidth, bestHeight = sourceHeight;
    for (UINT divisor : {2u, 4u, 8u}) {
        UINT w = (sourceWidth + divisor - 1) / divisor, h = (sourceHeight + divisor - 1) / divisor;
        if (w < width || h < height || FAILED(transform->GetClosestSize(&w, &h)))
            break;
        if (w < width || h < height)
            break;
        bestWidth = w;
        bestHeight = h;
    }
    if (bestWidth == sourceWidth && bestHeight == sourceHeight)
        return source;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    if (FAILED(transform->GetClosestPixelFormat(&format)))
        return source;
    ComPtr<IWICComponentInfo> info;
    ComPtr<IWICPixelFormatInfo> formatInfo;
    UINT bits = 0;
    if (FAILED(factory->CreateComponentInfo(format, &info)) || FAILED(info.As(&formatInfo)) ||
        FAILED(formatInfo->GetBitsPerPixel(&bits)) || bits == 0)
        return source;
    const UINT stride = (bestWidth * bits + 7) / 8;
    std::vector<BYTE> buffer(static_cast<size_t>(stride) * bestHeight);
    if (FAILED(transform->CopyPixels(nullptr, bestWidth, bestHeight, &format, WICBitmapTransformRotate0, stride,
                                     static_cast<UINT>(buffer.size()), buffer.data())))
        return source;
    ComPtr<IWICBitmap> smaller;
    if (FAILED(factory->CreateBitmapFromMemory(bestWidth, bestHeight, format, stride,
                                               static_cast<UINT>(buffer.size()), buffer.data(), &smaller)))
        return source;
    return smaller;
}

ComPtr<IWICBitmapSource> Scaled(IWICImagingFactory* factory, IWICBitmapSource* source, UINT width, UINT height)
{
    ComPtr<IWICBitmapScaler> scaler;
    if (FAILED(factory->CreateBitmapScaler(&scaler)))
        return nullptr;
    if (FAILED(scaler->Initialize(source, width, height, WicHighQualityCubic)) &&
        FAILED(scaler->Initialize(source, width, height, WICBitmapInterpolationModeFant)))
        return nullptr;
    return scaler;
}

DecodedImage Decode(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, int requestedWidth,
                    int requestedHeight)
{
    UINT sourceWidth = 0, sourceHeight = 0;
    HRESULT result = frame->GetSize(&sourceWidth, &sourceHeight);
    if (FAILED(result) || sourceWidth == 0 || sourceHeight == 0)
        return Failed(result);
    const UINT width = requestedWidth > 0 ? static_cast<UINT>(requestedWidth) : sourceWidth;
    const UINT height = requestedHeight > 0 ? static_cast<UINT>(requestedHeight) : sourceHeight;

    ComPtr<IWICBitmapSource> source = DecodedSmaller(factory, frame, sourceWidth, sourceHeight, width, height);
    UINT decodedWidth = 0, decodedHeight = 0;
    source->GetSize(&decodedWidth, &decodedHeight);
    if (decodedWidth != width || decodedHeight != height) {
        source = Scaled(factory, source.Get(), width, height);
        if (!source)
            return Failed(E_FAIL);
    }
    ComPtr<IWICFormatConverter> converter;
    result = factory->CreateFormatConverter(&converter);
    if (SUCCEEDED(result))
        result = converter->Initialize(source.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr,
                                       0.0, WICBitmapPaletteTypeCustom);
    DecodedImage image;
    image.pixels.resize(static_cast<size_t>(width) * height);
    if (SUCCEEDED(result))
        result = converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(image.pixels.size() * 4),
                                       reinterpret_cast<BYTE*>(image.pixels.data()));
    if (FAILED(result))
        return Failed(result);
    std::replace(image.pixels.begin(), image.pixels.end(), ColourKey, uint32_t{0});
    image.result = 0;
    image.sourceWidth = static_cast<int>(sourceWidth);
    image.sourceHeight = static_cast<int>(sourceHeight);
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    return image;
}

// A BITMAP resource is a bitmap file without its file header: the header
// is put back so WIC's BMP decoder reads it as a file.
std::vector<BYTE> BitmapFile(const BYTE* dib, DWORD size)
{
    if (size < sizeof(BITMAPINFOHEADER))
        return {};
    BITMAPINFOHEADER header;
    memcpy(&header, dib, sizeof header);
    DWORD colours = header.biClrUsed;
    if (colours == 0 && header.biBitCount <= 8)
        colours = 1u << header.biBitCount;
    DWORD offset = header.biSize + colours * sizeof(RGBQUAD);
    if (header.biSize == sizeof(BITMAPINFOHEADER) && header.biCompression == BI_BITFIELDS)
        offset += 3 * sizeof(DWORD); // the masks follow a plain header
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfSize = static_cast<DWORD>(sizeof file + size);
    file.bfOffBits = static_cast<DWORD>(sizeof file + offset);
    std::vector<BYTE> bytes(sizeof file + size);
    memcpy(bytes.data(), &file, sizeof file);
    memcpy(bytes.data() + sizeof file, dib, size);
    return bytes;
}

// The resource's bytes as an image file: RCDATA as it is, BITMAP with a file header.
std::vector<BYTE> ResourceFile(int resourceId)
{
    for (LPCSTR type : {MAKEINTRESOURCEA(10) /* RT_RCDATA */, MAKEINTRESOURCEA(2) /* RT_BITMAP */}) {
        HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(resourceId), type);
        HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
        const BYTE* bytes = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
        const DWORD size = found ? SizeofResource(nullptr, found) : 0;
        if (!bytes || size == 0)
            continue;
        if (type == MAKEINTRESOURCEA(10))
            return std::vector<BYTE>(bytes, bytes + size);
        return BitmapFile(bytes, size);
    }
    return {};
}

} // namespace

DecodedImage DecodeImageFile(const std::string& path, int width, int height)
{
    ComApartment apartment;
    ComPtr<IWICImagingFactory> factory = CreateWicFactory();
    if (!factory)
        return Failed(REGDB_E_CLASSNOTREG);
    ComPtr<IWICBitmapFrameDecode> frame;
    HRESULT result = OpenImageFrame(factory.Get(), path.c_str(), frame);
    if (FAILED(result))
        return Failed(result);
    return Decode(factory.Get(), frame.Get(), width, height);
}

DecodedImage DecodeResourceImage(int resourceId, int width, int height)
{
    std::vector<BYTE> file = ResourceFile(resourceId);
    if (file.empty())
        return Failed(HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND));
    ComApartment apartment;
    ComPtr<IWICImagingFactory> factory = CreateWicFactory();
    if (!factory)
        return Failed(REGDB_E_CLASSNOTREG);
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    HRESULT result = factory->CreateStream(&stream);
    if (SUCCEEDED(result))
        result = stream->InitializeFromMemory(file.data(), static_cast<DWORD>(file.size()));
    if (SUCCEEDED(result))
        result = factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnLoad, &decoder);
    if (SUCCEEDED(result))
        result = decoder->GetFrame(0, &frame);
    if (FAILED(result))
        return Failed(result);
    return Decode(factory.Get(), frame.Get(), width, height);
}
