// The dots per inch the X display's user asked for: Xft.dpi (what GTK, Qt
// and xscreensaver's own settings read on X11) from the display's resource database (the RESOURCE_MANAGER
// property that xrdb sets), read on a connection of its own, so it can be
// asked before the saver's window exists. On Wayland the output's scale,
// which the compositor gives each window: its pixels per point.

#include "platform/linux/sdl/SdlPlatformState.h"

#include <X11/Xlib.h>
#include <X11/Xresource.h>

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

// "192" or "144.5"; 0 for anything else. Not strtod: the locale mustn't decide the decimal point.
int DotsOf(const char* text)
{
    double dots = 0;
    const char* end = text + std::strlen(text);
    const auto [stop, error] = std::from_chars(text, end, dots);
    if (error != std::errc() || stop != end || !(dots > 0 && dots < 10000)) return 0;
    return static_cast<int>(std::lround(dots));
}

} // namespace

// Wayland's scale is the output's, for a window made high-DPI (ours are);
// X has one Xft.dpi for the display, whichever monitor shows the window.
int PlatformWindowDpi(WindowHandle window)
{
    if (IsWayland()) {
        int points = 0, pixels = 0, height = 0;
        SDL_Window* sdlWindow = static_cast<SDL_Window*>(window);
        if (sdlWindow == nullptr) return 0;
        SDL_GetWindowSize(sdlWindow, &points, &height);
        SDL_GetWindowSizeInPixels(sdlWindow, &pixels, &height);
        return points > 0 ? static_cast<int>(std::lround(96.0 * pixels / points)) : 0;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 0;
    int dpi = 0;
    if (const char* resources = XResourceManagerString(display)) {
        XrmInitialize();
        if (XrmDatabase database = XrmGetStringDatabase(resources)) {
            char* type = nullptr;
            XrmValue value{};
            if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr)
                dpi = DotsOf(value.addr);
            XrmDestroyDatabase(database);
        }
    }
    XCloseDisplay(display);
    return dpi;
}
