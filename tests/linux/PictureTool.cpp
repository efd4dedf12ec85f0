// picture_tool, the native twin of picture_probe for the Linux saver's tests:
//   picture_tool probe FILE          mean colour "R G B" of the upper middle of
//                                    a PNG or JPEG, the part no overlay covers
//   picture_tool half-black W H FILE a JPEG whose left half is pure black and
//                                    right half orange

#include <SDL.h>
#include <SDL_image.h>
#include <turbojpeg.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

int Probe(const char* path)
{
    SDL_Surface* loaded = IMG_Load(path);
    SDL_Surface* image = loaded ? SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0) : nullptr;
    SDL_FreeSurface(loaded);
    if (!image) {
        std::fprintf(stderr, "picture_tool: can't read %s\n", path);
        return 1;
    }
    // A grid over x 25-60 %, y 8-40 %: left of the clocks, above the bar.
    double sum[3] = {0, 0, 0};
    int samples = 0;
    for (int gy = 0; gy < 40; ++gy) {
        for (int gx = 0; gx < 40; ++gx) {
            const int x = static_cast<int>(image->w * (0.25 + 0.35 * gx / 40.0));
            const int y = static_cast<int>(image->h * (0.08 + 0.32 * gy / 40.0));
            const Uint32 colour = static_cast<const Uint32*>(image->pixels)[y * image->pitch / 4 + x];
            sum[0] += (colour >> 16) & 0xFF;
            sum[1] += (colour >> 8) & 0xFF;
            sum[2] += colour & 0xFF;
            ++samples;
        }
    }
    std::printf("%.1f %.1f %.1f\n", sum[0] / samples, sum[1] / samples, sum[2] / samples);
    SDL_FreeSurface(image);
    return 0;
}

int HalfBlack(int width, int height, const char* path)
{
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = width / 2; x < width; ++x) std::memcpy(&rgb[(static_cast<size_t>(y) * width + x) * 3], "\xF0\x80\x20", 3);
    tjhandle encoder = tjInitCompress();
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    const int failed = tjCompress2(encoder, rgb.data(), width, 0, height, TJPF_RGB, &jpeg, &size, TJSAMP_444, 95, 0);
    tjDestroy(encoder);
    FILE* file = failed ? nullptr : std::fopen(path, "wb");
    const bool written = file && std::fwrite(jpeg, 1, size, file) == size;
    if (file) std::fclose(file);
    tjFree(jpeg);
    return written ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "probe") == 0) return Probe(argv[2]);
    if (argc == 5 && std::strcmp(argv[1], "half-black") == 0)
        return HalfBlack(std::atoi(argv[2]), std::atoi(argv[3]), argv[4]);
    std::fprintf(stderr, "usage: picture_tool probe FILE | half-black W H FILE\n");
    return 2;
}
