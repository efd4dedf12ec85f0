#include "DeviceFixture.h"

#include "platform/win32/Wic.h"
#include "render/win32/WicImage.h"

#include <cstdio>
#include <fstream>

Screens testScreens;
RenderDevice& testDevice = testScreens.First();

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
    if (testDevice.Create({testWindow, 0, windowedWidth, windowedHeight}) != 0)
        return false;
    testDevice.PrepareSurface();
    testDevice.PrepareFonts();
    return true;
}

void CloseDevice()
{
    testDevice.Release();
    // The window goes with the process: destroying it costs seconds on a bare X server.
}

Pixels ReadBackBuffer()
{
    IDirect3DDevice9* device = testDevice.NativeState()->Device();
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
    // The saver's own decoder, at the file's size; opaque black comes back
    // keyed, so callers compare colours without alpha.
    DecodedImage image = DecodeImageFile(path, 0, 0);
    Pixels pixels;
    if (image.result != 0)
        return pixels;
    pixels.width = image.width;
    pixels.height = image.height;
    pixels.argb = std::move(image.pixels);
    return pixels;
}

void ClearBackBuffer(uint32_t colour)
{
    testDevice.NativeState()->Device()->Clear(0, nullptr, D3DCLEAR_TARGET, colour, 1.0f, 0);
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
    std::vector<BYTE> rows(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t c = pixel(x, y);
            BYTE* out = &rows[(static_cast<size_t>(y) * width + x) * 3];
            out[0] = static_cast<BYTE>(Blue(c));
            out[1] = static_cast<BYTE>(Green(c));
            out[2] = static_cast<BYTE>(Red(c));
        }
    ComApartment apartment;
    const HRESULT result = WriteImageFile(CreateWicFactory().Get(), name.c_str(), GUID_ContainerFormatJpeg,
                                          static_cast<UINT>(width), static_cast<UINT>(height), rows);
    return SUCCEEDED(result) ? name : std::string();
}
