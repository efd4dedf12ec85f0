// The download's picture check against the decoder itself: the check must
// never take a file that the decoder reads as larger than the limits, nor one
// it can't read at all, and its scan count must never fall short of the scans
// that libjpeg starts on the same bytes (else a file could hide its scans),
// and the largest frame the walk meets must never be smaller than the size
// the decoder reads (else the check before a load could pass a huge picture).

#include "platform/JpegScans.h"
#include "platform/PictureInfo.h"

#include <jpeglib.h>
#include <turbojpeg.h>
#include <unistd.h>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

struct Bail {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void Fail(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<Bail*>(info->err)->jump, 1);
}

void Quiet(j_common_ptr, int) {}

// The scans libjpeg starts on these bytes, counting no further than
// stopAfter + 1. Only for images up to a megapixel, whose coefficients it
// keeps whole; 0 for larger ones.
int DecoderScans(const uint8_t* data, size_t size, int stopAfter)
{
    jpeg_decompress_struct info{};
    Bail bail{};
    info.err = jpeg_std_error(&bail.manager);
    bail.manager.error_exit = Fail;
    bail.manager.emit_message = Quiet;
    volatile int scans = 0;
    if (setjmp(bail.jump) == 0) {
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
        if (jpeg_read_header(&info, TRUE) == JPEG_HEADER_OK &&
            uint64_t{info.image_width} * info.image_height <= (1u << 20)) {
            scans = 1;
            info.buffered_image = TRUE;
            jpeg_start_decompress(&info);
            for (int result = 0; scans <= stopAfter && result != JPEG_REACHED_EOI && result != JPEG_SUSPENDED;) {
                result = jpeg_consume_input(&info);
                if (result == JPEG_REACHED_SOS)
                    scans = scans + 1;
            }
        }
    }
    jpeg_destroy_decompress(&info);
    return scans;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = "/tmp/zembria-fuzz-picture-" + std::to_string(getpid()) + ".jpg";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    const bool accepted = IsAcceptableJpeg(path);

    tjhandle decoder = tjInitDecompress();
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    const bool read = tjDecompressHeader3(decoder, data, static_cast<unsigned long>(size), &width, &height,
                                          &subsampling, &colourspace) == 0;
    tjDestroy(decoder);
    const bool withinLimits = read && width > 0 && height > 0 && width <= MaxPictureSide &&
                              height <= MaxPictureSide && int64_t{width} * height <= MaxPicturePixels;

    std::stringbuf bytes(std::string(reinterpret_cast<const char*>(data), size));
    const JpegWalk walk = WalkJpeg(bytes, MaxPictureScans);
    const int scans = walk.scans;
    if (scans > MaxPictureScans + 1 || scans < DecoderScans(data, size, MaxPictureScans))
        std::abort();
    // The walk's frame bounds any size the decoder reads (when it stopped
    // early, for too many scans, the file is refused anyway). A truncated
    // file may be "read" as of size 0, which no check passes.
    const bool sized = read && width > 0 && height > 0;
    if (sized && scans <= MaxPictureScans && (walk.frames == 0 || walk.width < width || walk.height < height))
        std::abort();
    if (accepted != (withinLimits && scans <= MaxPictureScans))
        std::abort();
    return 0;
}
