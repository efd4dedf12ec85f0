#include "platform/JpegScans.h"

namespace {

constexpr int End = std::streambuf::traits_type::eof();

enum Marker : int {
    StartOfImage = 0xD8,
    EndOfImage = 0xD9,
    StartOfScan = 0xDA,
    FirstSegment = 0xC0, // below it only reserved codes, which carry no length
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

} // namespace

int CountJpegScans(std::streambuf& in, int stopAfter)
{
    if (in.sbumpc() != 0xFF || in.sbumpc() != StartOfImage)
        return 0;
    int scans = 0;
    for (;;) {
        const int marker = NextMarker(in);
        if (marker == End || marker == EndOfImage || marker == StartOfImage)
            return scans;
        // Restarts and reserved codes stand alone: the decoder reads no length after them.
        if (marker < FirstSegment || (marker >= FirstRestart && marker <= LastRestart))
            continue;
        if (marker == StartOfScan && ++scans > stopAfter)
            return scans;
        if (!SkipSegment(in))
            return scans;
    }
}
