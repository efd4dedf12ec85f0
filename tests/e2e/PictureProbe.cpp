// picture_probe FILE: prints the mean colour "R G B" of the upper middle of a
// picture (PNG, JPEG, BMP), the part of the screen no overlay covers. The
// end-to-end test compares a snapshot with the cached pictures through it.

#include <windows.h>
// The lean windows.h leaves out what GDI+ builds on.
#include <objidl.h>
#include <propidl.h>
#include <gdiplus.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: picture_probe FILE\n");
        return 2;
    }
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return 1;

    const std::string path = argv[1];
    const std::wstring widePath(path.begin(), path.end());
    Gdiplus::GpBitmap* image = nullptr;
    int result = 1;
    if (Gdiplus::DllExports::GdipCreateBitmapFromFile(widePath.c_str(), &image) == Gdiplus::Ok) {
        UINT width = 0, height = 0;
        Gdiplus::DllExports::GdipGetImageWidth(image, &width);
        Gdiplus::DllExports::GdipGetImageHeight(image, &height);
        // A grid over x 25-60 %, y 8-40 %: left of the clocks, above the bar.
        double sum[3] = {0, 0, 0};
        int samples = 0;
        for (int gy = 0; gy < 40; ++gy) {
            for (int gx = 0; gx < 40; ++gx) {
                const INT x = static_cast<INT>(width * (0.25 + 0.35 * gx / 40.0));
                const INT y = static_cast<INT>(height * (0.08 + 0.32 * gy / 40.0));
                Gdiplus::ARGB colour = 0;
                if (Gdiplus::DllExports::GdipBitmapGetPixel(image, x, y, &colour) != Gdiplus::Ok) continue;
                sum[0] += (colour >> 16) & 0xFF;
                sum[1] += (colour >> 8) & 0xFF;
                sum[2] += colour & 0xFF;
                ++samples;
            }
        }
        if (samples > 0) {
            std::printf("%.1f %.1f %.1f\n", sum[0] / samples, sum[1] / samples, sum[2] / samples);
            result = 0;
        }
        Gdiplus::DllExports::GdipDisposeImage(image);
    }
    Gdiplus::GdiplusShutdown(token);
    if (result != 0) std::fprintf(stderr, "picture_probe: can't read %s\n", path.c_str());
    return result;
}
