// Where SDL can draw the saver on a Wayland desktop. SDL's Wayland windows
// are EGL surfaces: its GPU renderers draw there, and so does its software
// renderer, whose frames SDL shows through OpenGL ES. Without a usable EGL
// no Wayland window can even be made; XWayland's windows take the software
// renderer as plain X images, with no GPU at all.

#include "platform/linux/sdl/SdlPlatformState.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

enum class Drawing { Gpu, Software, None };

// SDL's software renderer by its index: asked for by flags, SDL would first
// try a render driver the user named.
int SoftwareRendererIndex()
{
    for (int index = 0; index < SDL_GetNumRenderDrivers(); ++index) {
        SDL_RendererInfo info{};
        if (SDL_GetRenderDriverInfo(index, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE) != 0) return index;
    }
    return -1;
}

// The device's own choice first: a GPU renderer with render targets (the
// device keeps its frame in one). The renderer that works stays on the
// window, whose device takes it over: making one costs tens of ms.
Drawing TryRenderers(SDL_Window* window, std::string& why)
{
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
    SDL_RendererInfo info{};
    if (renderer != nullptr && SDL_GetRendererInfo(renderer, &info) == 0 &&
        (info.flags & SDL_RENDERER_TARGETTEXTURE) != 0)
        return Drawing::Gpu;
    why = renderer == nullptr ? SDL_GetError() : "SDL's GPU renderer has no render targets";
    if (renderer != nullptr) SDL_DestroyRenderer(renderer);
    if (SDL_CreateRenderer(window, SoftwareRendererIndex(), SDL_RENDERER_SOFTWARE) == nullptr) return Drawing::None;
    // Every later renderer of the process (the other outputs', a device made
    // again) is the software one too.
    SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, "software", SDL_HINT_OVERRIDE);
    return Drawing::Software;
}

// SDL's video again, on X; false where there is no X display (or the user
// named a video driver, whose choice stands).
bool RestartOnX()
{
    if (std::getenv("DISPLAY") == nullptr) return false;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    // The compositor manages XWayland's windows as its own, wherever they
    // ask to be (sway tiles them all on the focused output). The saver's
    // windows are override-redirect, as an X screen saver's are: each lies
    // over its output.
    SDL_SetHint(SDL_HINT_X11_FORCE_OVERRIDE_REDIRECT, "1");
    return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0 && !IsWayland();
}

} // namespace

SDL_Window* CreateDrawableWindow(SdlPlatformState& state, const SaverWindowPlacement& placement)
{
    SDL_Window* window = CreateOwnWindow(placement);
    if (!IsWayland()) return window;
    std::string why = window == nullptr ? SDL_GetError() : "";
    if (window != nullptr) {
        switch (TryRenderers(window, why)) {
        case Drawing::Gpu: return window;
        case Drawing::Software:
            std::fprintf(stderr, "zembria: no GPU path on Wayland (%s); drawing with SDL's software renderer\n",
                         why.c_str());
            return window;
        case Drawing::None: SDL_DestroyWindow(window); break;
        }
    }
    if (!RestartOnX()) {
        SDL_SetError("no GPU path on Wayland (%s), and no X display to draw through", why.c_str());
        return nullptr;
    }
    state.windowRelativePointer = false;
    std::fprintf(stderr, "zembria: no GPU path on Wayland (%s); drawing through XWayland\n", why.c_str());
    return CreateOwnWindow(placement);
}
