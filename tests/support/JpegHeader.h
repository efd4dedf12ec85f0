#pragma once
// JPEG files made byte by byte: the markers a decoder reads before the image
// data (start of image, a frame header of a chosen size, start of scan),
// then a few bytes of scan data and the end. Decoders read such a file's
// size as any other's. Header-only, for the native and the Windows tests.

#include <cstdint>
#include <string>
#include <vector>

namespace jpegbytes {

inline void Big16(std::vector<unsigned char>& out, uint32_t v)
{
    out.push_back(v >> 8 & 0xFF);
    out.push_back(v & 0xFF);
}

inline void Big32(std::vector<unsigned char>& out, uint32_t v)
{
    Big16(out, v >> 16);
    Big16(out, v & 0xFFFF);
}

// What comes between the start-of-image marker and the JFIF segment.
enum class Oddity {
    None,
    StrayByte,   // one byte that is no marker
    StuffedPair, // an FF 00 pair, which a careless reader takes for a marker
};

inline std::vector<unsigned char> JpegHeader(uint32_t width, uint32_t height, Oddity oddity = Oddity::None)
{
    std::vector<unsigned char> out = {0xFF, 0xD8};
    if (oddity == Oddity::StrayByte)
        out.push_back(0x42);
    if (oddity == Oddity::StuffedPair)
        out.insert(out.end(), {0xFF, 0x00});
    out.insert(out.end(), {0xFF, 0xE0});
    Big16(out, 16);
    const char jfif[] = "JFIF\0\1\1\0\0\1\0\1\0";
    out.insert(out.end(), jfif, jfif + 14);
    // One quantisation table of ones, a one-component baseline frame, the scan.
    out.insert(out.end(), {0xFF, 0xDB});
    Big16(out, 67);
    out.push_back(0);
    out.insert(out.end(), 64, 1);
    out.insert(out.end(), {0xFF, 0xC0});
    Big16(out, 11);
    out.push_back(8);
    Big16(out, height);
    Big16(out, width);
    out.insert(out.end(), {1, 1, 0x11, 0});
    out.insert(out.end(), {0xFF, 0xDA});
    Big16(out, 8);
    out.insert(out.end(), {1, 1, 0, 0, 63, 0});
    out.insert(out.end(), {0x00, 0x00, 0x00, 0x00, 0xFF, 0xD9});
    return out;
}

inline std::string JpegText(uint32_t width, uint32_t height, Oddity oddity = Oddity::None)
{
    const std::vector<unsigned char> bytes = JpegHeader(width, height, oddity);
    return std::string(bytes.begin(), bytes.end());
}

} // namespace jpegbytes
