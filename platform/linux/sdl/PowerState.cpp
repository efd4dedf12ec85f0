// Who looks and what costs, on Linux: the X server's DPMS state says whether
// the monitors are on (X11 only; a server without DPMS, or another video
// driver, counts as on), GIO the power-saver profile and a metered network.

#include "platform/linux/sdl/SdlPlatformState.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>

#include <cstring>

namespace {

bool DisplaysOn(SDL_Window* window)
{
    const char* driver = SDL_GetCurrentVideoDriver();
    if (window == nullptr || driver == nullptr || std::strcmp(driver, "x11") != 0) return true;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return true;
    Display* display = info.info.x11.display;
    int eventBase = 0, errorBase = 0;
    if (!DPMSQueryExtension(display, &eventBase, &errorBase) || !DPMSCapable(display)) return true;
    CARD16 level = DPMSModeOn;
    BOOL enabled = False;
    if (!DPMSInfo(display, &level, &enabled) || !enabled) return true;
    return level == DPMSModeOn;
}

} // namespace

void PlatformReadPowerState(WindowHandle window, PowerState& state)
{
    SdlPlatformState* platform = StateOfWindow(window);
    if (platform == nullptr) return;
    state.displaysOn = DisplaysOn(platform->window);
    state.energySaver = platform->monitors.PowerSaver();
}

bool PlatformConnectionMetered(WindowHandle window)
{
    SdlPlatformState* platform = StateOfWindow(window);
    return platform != nullptr && platform->monitors.Metered();
}
