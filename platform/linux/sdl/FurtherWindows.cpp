// The standalone saver's windows on the displays beyond the saver window's:
// one full-screen window each. They are black from the moment they show, so
// a display whose device fails stays black rather than showing the desktop.
// Each stays while its display does: the screens made again (a display
// added, a window sized) keep it.

#include "platform/linux/sdl/SdlPlatformState.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include <cstdio>

namespace {

// SDL's X windows have no background: until drawn they show what was there.
void PaintBlackUntilDrawn(SDL_Window* window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
    Display* display = info.info.x11.display;
    XSetWindowBackground(display, info.info.x11.window, BlackPixel(display, DefaultScreen(display)));
    XClearWindow(display, info.info.x11.window);
    XFlush(display);
}

// The window made before for a display of these bounds, taken out of kept; nullptr when none.
SDL_Window* TakeWindowAt(std::vector<DisplayWindow>& kept, const SDL_Rect& bounds)
{
    for (auto it = kept.begin(); it != kept.end(); ++it) {
        if (it->x == bounds.x && it->y == bounds.y && it->width == bounds.w && it->height == bounds.h) {
            SDL_Window* window = it->window;
            kept.erase(it);
            return window;
        }
    }
    return nullptr;
}

} // namespace

std::vector<FurtherWindow> PlatformOpenFurtherWindows(SdlPlatformState& state)
{
    std::vector<FurtherWindow> opened;
    std::vector<DisplayWindow> kept;
    kept.swap(state.furtherWindows);
    std::vector<SDL_Rect> covered(1);
    const int displays = SDL_GetDisplayBounds(0, &covered[0]) == 0 ? SDL_GetNumVideoDisplays() : 0;
    for (int display = 1; display < displays; ++display) {
        SDL_Rect bounds;
        if (SDL_GetDisplayBounds(display, &bounds) != 0) continue;
        bool mirrored = false;
        for (const SDL_Rect& other : covered) mirrored = mirrored || SDL_RectEquals(&bounds, &other);
        if (mirrored) continue;
        SDL_Window* window = TakeWindowAt(kept, bounds);
        if (window == nullptr) {
            window = CreateFullScreenWindow(display);
            if (window == nullptr) {
                std::fprintf(stderr, "zembria: no window on display %d: %s\n", display, SDL_GetError());
                continue;
            }
            PaintBlackUntilDrawn(window);
        }
        SDL_RaiseWindow(window);
        covered.push_back(bounds);
        state.furtherWindows.push_back({window, bounds.x, bounds.y, bounds.w, bounds.h});
        opened.push_back({window, display, bounds.w, bounds.h});
    }
    for (const DisplayWindow& gone : kept) SDL_DestroyWindow(gone.window);
    // SDL hides the cursor per window: the new ones take the current choice.
    if (!opened.empty()) SDL_SetCursor(nullptr);
    return opened;
}
