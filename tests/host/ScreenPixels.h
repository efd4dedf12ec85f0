#pragma once
// What the screen shows, read back through GDI by a Windows test program.

#include <windows.h>

#include <cstdint>

namespace saverprocess {

// The share of the area's pixels on the screen that have the colour (0xRRGGBB).
inline double ShareOf(uint32_t colour, const RECT& area)
{
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return 0;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    double share = 0;
    if (bitmap != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
        GdiFlush();
        const auto* pixels = static_cast<const uint32_t*>(bits);
        size_t matching = 0;
        for (int i = 0; i < width * height; ++i) matching += (pixels[i] & 0xFFFFFF) == colour;
        share = static_cast<double>(matching) / (width * height);
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return share;
}

// Polls until the colour's share of the area passes the test, or the time is up.
template <typename Test> bool ScreenComesTo(uint32_t colour, const RECT& area, Test test, DWORD milliseconds)
{
    for (DWORD waited = 0;; waited += 100) {
        if (test(ShareOf(colour, area))) return true;
        if (waited >= milliseconds) return false;
        Sleep(100);
    }
}

} // namespace saverprocess
