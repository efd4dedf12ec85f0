// The last presented frame written as PNG. A device asked to keep its frames
// reads the frame back at every Present; otherwise the renderer's current
// contents are read, which the software renderer keeps after presenting.

#include "render/RenderDevice.h"

#include "render/linux/sdl/RenderDeviceState.h"

#include <SDL_image.h>

std::vector<uint32_t> ReadFrame(SDL_Renderer* renderer, int width, int height)
{
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    if (pixels.empty() ||
        SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), width * 4) != 0)
        pixels.clear();
    return pixels;
}

int RenderDevice::SaveSnapshot(const std::string& pngPath)
{
    if (!state || !state->renderer || pngPath.empty()) return 1;
    std::vector<uint32_t> frame = state->presentedFrame;
    if (frame.empty()) frame = ReadFrame(state->renderer, screenWidth, screenHeight);
    if (frame.empty()) return 1;
    SDL_Surface* argb = SDL_CreateRGBSurfaceWithFormatFrom(frame.data(), screenWidth, screenHeight, 32,
                                                           screenWidth * 4, SDL_PIXELFORMAT_ARGB8888);
    // The frame's alpha means nothing on screen: the file is plain RGB.
    SDL_Surface* rgb = argb ? SDL_ConvertSurfaceFormat(argb, SDL_PIXELFORMAT_RGB24, 0) : nullptr;
    const int result = rgb && IMG_SavePNG(rgb, pngPath.c_str()) == 0 ? 0 : 1;
    SDL_FreeSurface(rgb);
    SDL_FreeSurface(argb);
    return result;
}
