// Drawing into an X window that another program owns (xscreensaver's
// window, or the root window). The owner may destroy it at any time: the
// window is watched for its DestroyNotify, and an X error handler keeps a
// request on the vanished window from ending the process; either way the
// saver closes cleanly.

#include "platform/linux/sdl/SdlPlatformState.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include <cstdio>

namespace {

Window foreignWindow = 0;

int OnXError(Display*, XErrorEvent* error)
{
    if (error->error_code == BadWindow || error->error_code == BadDrawable || error->resourceid == foreignWindow)
        sdlPlatform.windowGone = true;
    return 0;
}

} // namespace

namespace {

Window TheRootWindow()
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return 0;
    const Window root = DefaultRootWindow(display);
    XCloseDisplay(display);
    return root;
}

} // namespace

SDL_Window* OpenForeignWindow(unsigned long id)
{
    foreignWindow = id != 0 ? static_cast<Window>(id) : TheRootWindow();
    if (foreignWindow == 0) return nullptr;
    id = foreignWindow;
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
    XSetErrorHandler(OnXError);
    // Ask for the window's end besides what SDL already selected.
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, foreignWindow, &attributes))
        XSelectInput(display, foreignWindow, attributes.your_event_mask | StructureNotifyMask);
    XSync(display, False);
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    return window;
}

bool ForeignWindowEnded(const SDL_Event& event)
{
    const SDL_SysWMmsg* message = event.syswm.msg;
    if (message == nullptr || message->subsystem != SDL_SYSWM_X11) return false;
    const XEvent& x = message->msg.x11.event;
    return x.type == DestroyNotify && x.xdestroywindow.window == foreignWindow;
}
