#include "DeviceFixture.h"

#include "platform/win32/Wic.h"

#include <cstdio>
#include <fstream>

RenderDevice testDevice;

namespace {

HWND testWindow = nullptr;

LRESULT CALLBACK TestWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

Pixels ReadSurface(IDirect3DSurface9* copy, const D3DSURFACE_DESC& desc)
{
    Pixels pixels;
    D3DLOCKED_RECT locked{};
    if (FAILED(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY)))
        return pixels;
    pixels.width = static_cast<int>(desc.Width);
    pixels.height = static_cast<int>(desc.Height);
    pixels.argb.resize(static_cast<size_t>(desc.Width) * desc.Height);
    for (UINT y = 0; y < desc.Height; ++y)
        memcpy(&pixels.argb[static_cast<size_t>(y) * desc.Width],
               static_cast<const char*>(locked.pBits) + static_cast<size_t>(y) * locked.Pitch, desc.Width * 4);
    copy->UnlockRect();
    return pixels;
}

} // namespace

bool OpenDevice(int windowedWidth, int windowedHeight)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = TestWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ZembriaRenderTest";
    RegisterClassA(&windowClass);
    int width = windowedWidth > 0 ? windowedWidth : GetSystemMetrics(SM_CXSCREEN);
    int height = windowedHeight > 0 ? windowedHeight : GetSystemMetrics(SM_CYSCREEN);
    testWindow = CreateWindowExA(0, "ZembriaRenderTest", "Screen Saver", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                                 nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!testWindow)
        return false;
    testDevice.windowedWidth = windowedWidth;
    testDevice.windowedHeight = windowedHeight;
    if (testDevice.Create(testWindow, 0) != 0)
        return false;
    testDevice.InitResources();
    return true;
}

void CloseDevice()
{
    testDevice.Release();
    // The window goes with the process: destroying it costs seconds on a bare X server.
}

Pixels ReadBackBuffer()
{
    IDirect3DDevice9* device = testDevice.state->Device();
    IDirect3DSurface9* backBuffer = nullptr;
    device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
    D3DSURFACE_DESC desc{};
    backBuffer->GetDesc(&desc);
    IDirect3DSurface9* copy = nullptr;
    device->CreateOffscreenPlainSurface(desc.Width, desc.Height, desc.Format, D3DPOOL_SYSTEMMEM, &copy, nullptr);
    Pixels pixels;
    if (SUCCEEDED(device->GetRenderTargetData(backBuffer, copy)))
        pixels = ReadSurface(copy, desc);
    copy->Release();
    backBuffer->Release();
    return pixels;
}

Pixels LastPresentedFrame()
{
    return ReadBackBuffer();
}

Pixels ReadImageFile(const std::string& path)
{
    D3DXIMAGE_INFO info{};
    if (FAILED(D3DXGetImageInfoFromFileA(path.c_str(), &info)))
        return {};
    IDirect3DSurface9* surface = nullptr;
    testDevice.state->Device()->CreateOffscreenPlainSurface(info.Width, info.Height, D3DFMT_A8R8G8B8,
                                                              D3DPOOL_SYSTEMMEM, &surface, nullptr);
    Pixels pixels;
    D3DSURFACE_DESC desc{};
    surface->GetDesc(&desc);
    if (SUCCEEDED(D3DXLoadSurfaceFromFileA(surface, nullptr, nullptr, path.c_str(), nullptr, D3DX_FILTER_NONE, 0,
                                           nullptr)))
        pixels = ReadSurface(surface, desc);
    surface->Release();
    return pixels;
}

void ClearBackBuffer(uint32_t colour)
{
    testDevice.state->Device()->Clear(0, nullptr, D3DCLEAR_TARGET, colour, 1.0f, 0);
}

std::string WriteBitmap(const std::string& name, int width, int height, uint32_t (*pixel)(int x, int y))
{
    int rowBytes = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + rowBytes * height;
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = -height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::ofstream out(name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    std::vector<unsigned char> row(static_cast<size_t>(rowBytes));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint32_t c = pixel(x, y);
            row[x * 3] = static_cast<unsigned char>(Blue(c));
            row[x * 3 + 1] = static_cast<unsigned char>(Green(c));
            row[x * 3 + 2] = static_cast<unsigned char>(Red(c));
        }
        out.write(reinterpret_cast<const char*>(row.data()), rowBytes);
    }
    return name;
}

std::string WriteJpeg(const std::string& name, int width, int height, uint32_t (*pixel)(int x, int y))
{
    ComApartment apartment;
    ComPtr<IWICImagingFactory> factory = CreateWicFactory();
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    const std::wstring path = WidePath(name.c_str());
    std::vector<BYTE> rows(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t c = pixel(x, y);
            BYTE* out = &rows[(static_cast<size_t>(y) * width + x) * 3];
            out[0] = static_cast<BYTE>(Blue(c));
            out[1] = static_cast<BYTE>(Green(c));
            out[2] = static_cast<BYTE>(Red(c));
        }
    const bool written =
        factory && SUCCEEDED(factory->CreateStream(&stream)) &&
        SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
        SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, &encoder)) &&
        SUCCEEDED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) &&
        SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
        SUCCEEDED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))) &&
        SUCCEEDED(frame->SetPixelFormat(&format)) && IsEqualGUID(format, GUID_WICPixelFormat24bppBGR) &&
        SUCCEEDED(frame->WritePixels(static_cast<UINT>(height), static_cast<UINT>(width) * 3,
                                     static_cast<UINT>(rows.size()), rows.data())) &&
        SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    return written ? name : std::string();
}
