#pragma once
// Pictures and the module's bitmaps decoded and scaled by WIC into pixels a
// texture is filled with. Runs on any thread: it makes its own factory in
// the calling thread's apartment and touches no device.

#include <cstdint>
#include <string>
#include <vector>

struct DecodedImage {
    long result = 1; // 0 when the pixels are there; else the failing HRESULT
    int sourceWidth = 0; // the image's own size
    int sourceHeight = 0;
    int width = 0; // the pixels' size: the requested one, or the image's for 0
    int height = 0;
    // A8R8G8B8 rows from the top, opaque pure black already made transparent.
    std::vector<uint32_t> pixels;
};

// The image file scaled to width x height (0 keeps that side of the image).
DecodedImage DecodeImageFile(const std::string& path, int width, int height);
// The module's bitmap resource of that id (RCDATA when the id has one,
// else BITMAP), scaled the same way.
DecodedImage DecodeResourceImage(int resourceId, int width, int height);
