// startup_bare_sdl: the least a native program does to show a JPEG full
// screen: SDL's window at the display's bounds, the picture decoded by
// TurboJPEG into one texture, one present. It then waits to be ended. The
// start-up benchmark's baseline for the Linux saver.
// Usage: startup_bare_sdl FILE.jpg

#include <SDL.h>
#include <turbojpeg.h>

#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2 || SDL_Init(SDL_INIT_VIDEO) != 0) return 2;
    FILE* file = std::fopen(argv[1], "rb");
    std::vector<unsigned char> jpeg;
    for (int c; file && (c = std::fgetc(file)) != EOF;) jpeg.push_back(static_cast<unsigned char>(c));
    if (file) std::fclose(file);
    tjhandle decoder = tjInitDecompress();
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    if (tjDecompressHeader3(decoder, jpeg.data(), jpeg.size(), &width, &height, &subsampling, &colourspace) != 0)
        return 1;
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
    tjDecompress2(decoder, jpeg.data(), jpeg.size(), pixels.data(), width, 0, height, TJPF_BGRX, 0);
    tjDestroy(decoder);

    SDL_Rect bounds{};
    SDL_GetDisplayBounds(0, &bounds);
    SDL_Window* window = SDL_CreateWindow("bare", bounds.x, bounds.y, bounds.w, bounds.h, SDL_WINDOW_BORDERLESS);
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    SDL_Texture* texture =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STATIC, width, height);
    SDL_UpdateTexture(texture, nullptr, pixels.data(), width * 4);
    SDL_RenderCopy(renderer, texture, nullptr, nullptr);
    SDL_RenderPresent(renderer);
    for (SDL_Event event; SDL_WaitEvent(&event) && event.type != SDL_QUIT;) {
        if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_EXPOSED) {
            SDL_RenderCopy(renderer, texture, nullptr, nullptr);
            SDL_RenderPresent(renderer);
        }
    }
    SDL_Quit();
    return 0;
}
