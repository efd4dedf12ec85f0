#include "platform/win32/Wic.h"

ComApartment::ComApartment(DWORD model)
{
    // S_FALSE: the thread had this apartment already, and it still needs
    // its own CoUninitialize; RPC_E_CHANGED_MODE: it has another one.
    opened = SUCCEEDED(CoInitializeEx(nullptr, model));
}

ComApartment::~ComApartment()
{
    if (opened)
        CoUninitialize();
}

std::wstring WidePath(const char* path)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
    if (length <= 1)
        return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path, -1, wide.data(), length);
    wide.pop_back(); // the terminator
    return wide;
}

ComPtr<IWICImagingFactory> CreateWicFactory()
{
    ComPtr<IWICImagingFactory> factory;
    // The first factory: the one every Windows since Vista has.
    CoCreateInstance(CLSID_WICImagingFactory1, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory));
    return factory;
}

HRESULT OpenImageFrame(IWICImagingFactory* factory, const char* path, ComPtr<IWICBitmapFrameDecode>& frame,
                       GUID* format)
{
    if (!factory)
        return E_POINTER;
    const std::wstring wide = WidePath(path);
    if (wide.empty())
        return E_INVALIDARG;
    ComPtr<IWICBitmapDecoder> decoder;
    HRESULT result = factory->CreateDecoderFromFilename(wide.c_str(), nullptr, GENERIC_READ,
                                                        WICDecodeMetadataCacheOnDemand, &decoder);
    if (SUCCEEDED(result) && format)
        result = decoder->GetContainerFormat(format);
    if (SUCCEEDED(result))
        result = decoder->GetFrame(0, &frame);
    return result;
}

HRESULT WriteImageFile(IWICImagingFactory* factory, const char* path, REFGUID container, UINT width, UINT height,
                       const std::vector<BYTE>& bgrRows)
{
    const std::wstring widePath = WidePath(path);
    if (!factory || widePath.empty() || bgrRows.size() != static_cast<size_t>(width) * height * 3)
        return E_INVALIDARG;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    HRESULT result = factory->CreateStream(&stream);
    if (SUCCEEDED(result))
        result = stream->InitializeFromFilename(widePath.c_str(), GENERIC_WRITE);
    const bool opened = SUCCEEDED(result);
    if (SUCCEEDED(result))
        result = factory->CreateEncoder(container, nullptr, &encoder);
    if (SUCCEEDED(result))
        result = encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache);
    if (SUCCEEDED(result))
        result = encoder->CreateNewFrame(&frame, nullptr);
    if (SUCCEEDED(result))
        result = frame->Initialize(nullptr);
    if (SUCCEEDED(result))
        result = frame->SetSize(width, height);
    if (SUCCEEDED(result))
        result = frame->SetPixelFormat(&format);
    // The encoder names the format it takes instead; the rows are in this one only.
    if (SUCCEEDED(result) && !IsEqualGUID(format, GUID_WICPixelFormat24bppBGR))
        result = WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
    if (SUCCEEDED(result))
        result = frame->WritePixels(height, width * 3, static_cast<UINT>(bgrRows.size()),
                                    const_cast<BYTE*>(bgrRows.data()));
    if (SUCCEEDED(result))
        result = frame->Commit();
    if (SUCCEEDED(result))
        result = encoder->Commit();
    if (FAILED(result) && opened) {
        frame.Reset();
        encoder.Reset();
        stream.Reset(); // closes the file
        DeleteFileW(widePath.c_str());
    }
    return result;
}
