// Copies the window's screen area into a bitmap and lets GDI+ encode it.

#include "ScreenCapture.h"

// The lean windows.h leaves out what GDI+ builds on.
#include <objidl.h>
#include <propidl.h>
#include <gdiplus.h>

namespace {

// GDI+'s built-in PNG encoder.
const CLSID PngEncoder = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

int SavePng(HBITMAP bitmap, const std::string& path)
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return 1;
    int result = 1;
    Gdiplus::GpBitmap* image = nullptr;
    if (Gdiplus::DllExports::GdipCreateBitmapFromHBITMAP(bitmap, nullptr, &image) == Gdiplus::Ok) {
        std::wstring widePath(path.begin(), path.end());
        if (Gdiplus::DllExports::GdipSaveImageToFile(image, widePath.c_str(), &PngEncoder, nullptr) == Gdiplus::Ok)
            result = 0;
        Gdiplus::DllExports::GdipDisposeImage(image);
    }
    Gdiplus::GdiplusShutdown(token);
    return result;
}

} // namespace

int CaptureWindow(HWND window, const std::string& pngPath)
{
    RECT area;
    if (!GetWindowRect(window, &area))
        return 1;
    const int width = area.right - area.left, height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BOOL copied = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, previous);
    int result = copied ? SavePng(bitmap, pngPath) : 1;
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return result;
}
