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
