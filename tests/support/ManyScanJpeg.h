#pragma once
// Real JPEGs made with TurboJPEG at test time, and the hostile kind: a
// progressive one whose smallest scan is repeated, which the decoder applies
// to the whole image every time. Native tests only.

#include <turbojpeg.h>

#include <cstddef>
#include <stdexcept>
#include <vector>

namespace jpegbytes {

// A colour gradient of the given size, baseline or progressive (4:2:0).
inline std::vector<unsigned char> EncodedJpeg(int width, int height, bool progressive)
{
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = static_cast<unsigned char>(i * 7 / 3);
    tjhandle encoder = tjInitCompress();
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    const int failed = tjCompress2(encoder, rgb.data(), width, 0, height, TJPF_RGB, &jpeg, &size, TJSAMP_420, 90,
                                   progressive ? TJFLAG_PROGRESSIVE : 0);
    tjDestroy(encoder);
    std::vector<unsigned char> out;
    if (!failed)
        out.assign(jpeg, jpeg + size);
    tjFree(jpeg);
    if (failed)
        throw std::runtime_error("TurboJPEG could not encode the test picture");
    return out;
}

// The JPEG with its smallest scan (start-of-scan segment and data) repeated
// copies more times right after itself, each copy after the bytes of
// before. An encoder's output has no FF inside its data but in FF 00 pairs,
// so every other FF starts a marker.
inline std::vector<unsigned char> RepeatSmallestScan(const std::vector<unsigned char>& jpeg, int copies,
                                                     const std::vector<unsigned char>& before = {})
{
    std::vector<size_t> markers;
    for (size_t i = 2; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] != 0x00)
            markers.push_back(i);
    size_t begin = 0, end = 0;
    for (size_t m = 0; m + 1 < markers.size(); ++m)
        if (jpeg[markers[m] + 1] == 0xDA && (end == 0 || markers[m + 1] - markers[m] < end - begin)) {
            begin = markers[m];
            end = markers[m + 1];
        }
    if (end == 0)
        throw std::runtime_error("the test picture has no scan");
    std::vector<unsigned char> out(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(end));
    for (int c = 0; c < copies; ++c) {
        out.insert(out.end(), before.begin(), before.end());
        out.insert(out.end(), jpeg.begin() + static_cast<std::ptrdiff_t>(begin),
                   jpeg.begin() + static_cast<std::ptrdiff_t>(end));
    }
    out.insert(out.end(), jpeg.begin() + static_cast<std::ptrdiff_t>(end), jpeg.end());
    return out;
}

} // namespace jpegbytes
