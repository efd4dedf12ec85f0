#include "render/PictureHeader.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace {

int Byte(std::istream& in)
{
    int c = in.get();
    return in ? c : -1;
}

int64_t BigEndian(const unsigned char* p, int count)
{
    int64_t value = 0;
    for (int i = 0; i < count; ++i)
        value = value << 8 | p[i];
    return value;
}

int64_t LittleEndianSigned32(const unsigned char* p)
{
    uint32_t value = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    return static_cast<int32_t>(value);
}

// Walks the JPEG markers up to the first start-of-frame header.
PictureSize JpegSize(std::istream& in)
{
    for (;;) {
        int c = Byte(in);
        if (c != 0xFF)
            return {};
        int marker;
        do {
            marker = Byte(in);
        } while (marker == 0xFF);
        if (marker < 0 || marker == 0xD9 || marker == 0xDA)
            return {}; // end of image or scan data before any frame header
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue; // markers without a length
        unsigned char length[2];
        if (!in.read(reinterpret_cast<char*>(length), 2))
            return {};
        int64_t segment = BigEndian(length, 2);
        if (segment < 2)
            return {};
        bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            unsigned char header[5];
            if (!in.read(reinterpret_cast<char*>(header), 5))
                return {};
            return {true, BigEndian(header + 3, 2), BigEndian(header + 1, 2)};
        }
        in.seekg(segment - 2, std::ios::cur);
        if (!in)
            return {};
    }
}

} // namespace

PictureSize ReadPictureSize(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    unsigned char head[26] = {};
    if (!in.read(reinterpret_cast<char*>(head), 2))
        return {};
    if (head[0] == 0xFF && head[1] == 0xD8)
        return JpegSize(in);
    if (!in.read(reinterpret_cast<char*>(head + 2), sizeof head - 2))
        return {};
    static const unsigned char png[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (std::equal(png, png + 8, head) && std::equal(head + 12, head + 16, "IHDR"))
        return {true, BigEndian(head + 16, 4), BigEndian(head + 20, 4)};
    if (head[0] == 'B' && head[1] == 'M') {
        if (LittleEndianSigned32(head + 14) == 12) // OS/2 core header: 16-bit sides
            return {true, int64_t(head[18] | head[19] << 8), int64_t(head[20] | head[21] << 8)};
        return {true, std::llabs(LittleEndianSigned32(head + 18)), std::llabs(LittleEndianSigned32(head + 22))};
    }
    return {};
}

bool PictureSizeAcceptable(const std::string& path)
{
    PictureSize size = ReadPictureSize(path);
    if (!size.known)
        return true; // the decoder judges what we can't read
    return size.width <= MaxPictureSide && size.height <= MaxPictureSide &&
           size.width * size.height <= MaxPicturePixels;
}
