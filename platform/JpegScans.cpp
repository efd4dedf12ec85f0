#include "platform/JpegScans.h"

#include <algorithm>

namespace {

constexpr int End = std::streambuf::traits_type::eof();

enum Marker : int {
    StartOfImage = 0xD8,
    EndOfImage = 0xD9,
    StartOfScan = 0xDA,
    FirstSegment = 0xC0, // below it only reserved codes, which carry no length
    LastFrame = 0xCF,    // C0 to CF are frame headers, but for these three:
    HuffmanTables = 0xC4,
    Extension = 0xC8,
    ArithmeticTables = 0xCC,
    FirstRestart = 0xD0,
    LastRestart = 0xD7,
};

// The code of the next marker, or End. As the decoder does, bytes that are no
// marker are passed over (entropy-coded data, garbage), FF fill bytes are
// swallowed and FF 00 is a data byte, not a marker.
int NextMarker(std::streambuf& in)
{
    for (;;) {
        int byte = in.sbumpc();
        while (byte != 0xFF && byte != End)
            byte = in.sbumpc();
        while (byte == 0xFF)
            byte = in.sbumpc();
        if (byte != 0)
            return byte;
    }
}

// Passes over a segment's body by its length. A length under 2 covers no body:
// the decoder then goes on right after it, and so does the walk.
bool SkipSegment(std::streambuf& in)
{
    const int high = in.sbumpc();
    const int low = in.sbumpc();
    if (high == End || low == End)
        return false;
    const int body = (high << 8 | low) - 2;
    return body <= 0 || in.pubseekoff(body, std::ios_base::cur, std::ios_base::in) != std::streampos(-1);
}

bool IsFrameHeader(int marker)
{
    return marker >= FirstSegment && marker <= LastFrame && marker != HuffmanTables && marker != Extension &&
           marker != ArithmeticTables;
}

// Reads a frame header's size (after its length and precision: height, then
// width) and passes over the rest of it.
bool ReadFrame(std::streambuf& in, JpegWalk& walk)
{
    int bytes[7];
    for (int& byte : bytes)
        if ((byte = in.sbumpc()) == End) {
            walk.unreadableFrame = true;
            return false;
        }
    ++walk.frames;
    const int length = bytes[0] << 8 | bytes[1];
    const int64_t height = bytes[3] << 8 | bytes[4];
    const int64_t width = bytes[5] << 8 | bytes[6];
    if (length < 8 || height == 0 || width == 0)
        walk.unreadableFrame = true;
    walk.width = std::max(walk.width, width);
    walk.height = std::max(walk.height, height);
    const int rest = length - 7;
    return rest <= 0 || in.pubseekoff(rest, std::ios_base::cur, std::ios_base::in) != std::streampos(-1);
}

} // namespace

JpegWalk WalkJpeg(std::streambuf& in, int stopAfter)
{
    JpegWalk walk;
    if (in.sbumpc() != 0xFF || in.sbumpc() != StartOfImage)
        return walk;
    for (;;) {
        const int marker = NextMarker(in);
        if (marker == End || marker == EndOfImage || marker == StartOfImage)
            return walk;
        // Restarts and reserved codes stand alone: the decoder reads no length after them.
        if (marker < FirstSegment || (marker >= FirstRestart && marker <= LastRestart))
            continue;
        if (marker == StartOfScan && ++walk.scans > stopAfter)
            return walk;
        if (!(IsFrameHeader(marker) ? ReadFrame(in, walk) : SkipSegment(in)))
            return walk;
    }
}

int CountJpegScans(std::streambuf& in, int stopAfter)
{
    return WalkJpeg(in, stopAfter).scans;
}
