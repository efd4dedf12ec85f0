// Who looks and what costs, on Linux. The monitors: on X11 the X server's
// DPMS state (a server without DPMS counts as on), on Wayland the
// compositor's output power modes where it tells them (wlroots), and on
// GNOME Mutter's power-save mode. A locked session covers the saver, so
// nobody looks then either. GIO tells the power-saver profile and a metered
// network.

#include "platform/linux/sdl/SdlPlatformState.h"
#include "platform/linux/wayland/OutputPower.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>

namespace {

bool X11DisplaysOn(const SDL_SysWMinfo& info)
{
    Display* display = info.info.x11.display;
    int eventBase = 0, errorBase = 0;
    if (!DPMSQueryExtension(display, &eventBase, &errorBase) || !DPMSCapable(display)) return true;
    CARD16 level = DPMSModeOn;
    BOOL enabled = False;
    if (!DPMSInfo(display, &level, &enabled) || !enabled) return true;
    return level == DPMSModeOn;
}

bool WaylandOutputsOn(SdlPlatformState& platform, const SDL_SysWMinfo& info)
{
    if (!platform.outputPowerAsked) {
        platform.outputPowerAsked = true;
        platform.outputPower = OpenOutputPower(info.info.wl.display);
    }
    return platform.outputPower == nullptr || AnyOutputOn(*platform.outputPower);
}

bool DisplaysOn(SdlPlatformState& platform)
{
    if (platform.window == nullptr) return true;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(platform.window, &info)) return true;
    if (info.subsystem == SDL_SYSWM_X11) return X11DisplaysOn(info);
    if (info.subsystem == SDL_SYSWM_WAYLAND) return WaylandOutputsOn(platform, info);
    return true;
}

} // namespace

void PlatformReadPowerState(WindowHandle window, PowerState& state)
{
    SdlPlatformState* platform = StateOfWindow(window);
    if (platform == nullptr) return;
    // xscreensaver's lock dialog shows its hack (a foreign window): that one
    // goes on drawing while the session is locked.
    const bool locked = !platform->foreign && platform->monitors.SessionLocked();
    state.displaysOn = DisplaysOn(*platform) && !platform->monitors.DisplaysAsleep() && !locked;
    state.energySaver = platform->monitors.PowerSaver();
}

bool PlatformConnectionMetered(WindowHandle window)
{
    SdlPlatformState* platform = StateOfWindow(window);
    return platform != nullptr && platform->monitors.Metered();
}
