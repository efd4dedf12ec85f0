#pragma once
// The Windows benchmarks' test picture (BenchPicturePixel) written as JPEG by WIC.

#include "bench/render/BenchScene.h"
#include "platform/win32/Wic.h"

inline bool WriteBenchJpeg(const char* path, UINT width, UINT height, int grain = 32)
{
    std::vector<BYTE> rows(static_cast<size_t>(width) * height * 3);
    BYTE* out = rows.data();
    uint32_t seed = 12345;
    for (UINT y = 0; y < height; ++y)
        for (UINT x = 0; x < width; ++x, out += 3) {
            const uint32_t pixel = BenchPicturePixel(x, y, width, height, grain, seed);
            out[0] = static_cast<BYTE>(pixel);
            out[1] = static_cast<BYTE>(pixel >> 8);
            out[2] = static_cast<BYTE>(pixel >> 16);
        }
    ComApartment apartment;
    return SUCCEEDED(WriteImageFile(CreateWicFactory().Get(), path, GUID_ContainerFormatJpeg, width, height, rows));
}
