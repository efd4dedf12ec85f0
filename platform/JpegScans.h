#pragma once
// How many scans a JPEG holds, counted by a walk over its markers. A
// progressive JPEG may repeat a tiny scan thousands of times, each of which
// the decoder applies to the whole image: a file under 1 MB can then take
// half a minute to decode. The walk finds every start of scan the decoder
// would meet (it skips segments by their length and looks through
// entropy-coded data for markers as the decoder does), so a file can't hide
// scans from it. It reads the file once, front to back, keeps none of it, and
// stops as soon as the count passes what the caller asked about.
//
// On the way it reads every frame header it meets. The decoder takes its
// size from the first; the walk keeps the largest of each side, so a file
// can't show a small frame to the walk and a large one to the decoder.

#include <cstdint>
#include <streambuf>

struct JpegWalk {
    int scans = 0;               // counted no further than stopAfter + 1
    int frames = 0;              // frame headers met
    bool unreadableFrame = false; // one too short to hold a size, or of a side 0
    int64_t width = 0;           // the largest width of any frame header
    int64_t height = 0;          // the largest height
};

// The walk over the JPEG read from in; all 0 when the bytes don't begin as a JPEG does.
JpegWalk WalkJpeg(std::streambuf& in, int stopAfter);

// The start-of-scan markers of the JPEG read from in, counting no further
// than stopAfter + 1. 0 when the bytes don't begin as a JPEG does.
int CountJpegScans(std::streambuf& in, int stopAfter);
