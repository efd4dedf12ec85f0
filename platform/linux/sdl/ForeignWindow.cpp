// Drawing into an X window that another program owns (xscreensaver's
// window, or the root window). The owner may destroy it at any time: the
// window is watched for its DestroyNotify, and an X error handler keeps a
// request on the vanished window from ending the process; either way the
// saver closes cleanly. The handler takes no argument of ours: it finds the
// state on the display, where OpenForeignWindow leaves it.

#include "platform/linux/sdl/SdlPlatformState.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xresource.h>
#include <X11/Xutil.h>

#include <cstdio>

namespace {

// The display's entry for the saver's state, under its root window.
XContext StateContext()
{
    return static_cast<XContext>(XrmStringToQuark("zembria-saver-state"));
}

int OnXError(Display* display, XErrorEvent* error)
{
    XPointer found = nullptr;
    if (XFindContext(display, DefaultRootWindow(display), StateContext(), &found) != 0 || found == nullptr) return 0;
    SdlPlatformState& state = *reinterpret_cast<SdlPlatformState*>(found);
    if (error->error_code == BadWindow || error->error_code == BadDrawable || error->resourceid == state.foreignWindow)
        state.windowGone = true;
    return 0;
}

Window TheRootWindow()
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return 0;
    const Window root = DefaultRootWindow(display);
    XCloseDisplay(display);
    return root;
}

} // namespace

SDL_Window* OpenForeignWindow(SdlPlatformState& state, unsigned long id)
{
    const Window foreign = id != 0 ? static_cast<Window>(id) : TheRootWindow();
    state.foreignWindow = foreign;
    if (foreign == 0) return nullptr;
    id = foreign;
    SDL_Window* window = SDL_CreateWindowFrom(reinterpret_cast<const void*>(static_cast<uintptr_t>(id)));
    if (window == nullptr) return nullptr;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) {
        std::fprintf(stderr, "zembria: window 0x%lx is not an X window SDL can draw into\n", id);
        SDL_DestroyWindow(window);
        return nullptr;
    }
    Display* display = info.info.x11.display;
    XSaveContext(display, DefaultRootWindow(display), StateContext(), reinterpret_cast<XPointer>(&state));
    XSetErrorHandler(OnXError);
    // Ask for the window's end besides what SDL already selected.
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, foreign, &attributes))
        XSelectInput(display, foreign, attributes.your_event_mask | StructureNotifyMask);
    XSync(display, False);
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    return window;
}

bool ForeignWindowEnded(const SdlPlatformState& state, const SDL_Event& event)
{
    const SDL_SysWMmsg* message = event.syswm.msg;
    if (message == nullptr || message->subsystem != SDL_SYSWM_X11) return false;
    const XEvent& x = message->msg.x11.event;
    return x.type == DestroyNotify && x.xdestroywindow.window == static_cast<Window>(state.foreignWindow);
}
