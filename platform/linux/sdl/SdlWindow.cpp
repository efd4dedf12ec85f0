// The saver window over SDL2: SDL started and stopped, the window made and
// let go, SDL's events read as the saver sees them, and the timer list the
// loop drives. The window carries its state as SDL window data.

#include "platform/linux/SessionBus.h"
#include "platform/linux/sdl/SdlPlatformState.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* StateKey = "zembria.state";

// Focus that moves between our own windows (without a window manager each
// takes it when shown) is no user leaving the saver. The X server reports
// the loss and the gain together; reading what has arrived settles where
// the focus is now.
bool FocusStaysOurs(const SdlPlatformState& state)
{
    SDL_PumpEvents();
    const SDL_Window* focus = SDL_GetKeyboardFocus();
    return focus != nullptr && IsOwnWindow(state, focus);
}

SaverWindowEvent Meaning(SdlPlatformState& state, const SDL_Event& event)
{
    if (event.type == SDL_QUIT || (state.wakeEvent != 0 && event.type == state.wakeEvent))
        return SaverWindowEvent::CloseRequest;
    if (event.type == SDL_SYSWMEVENT) {
        if (ForeignWindowEnded(state, event)) state.windowGone = true;
        return SaverWindowEvent::None;
    }
    if (event.type == SDL_WINDOWEVENT) {
        switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE: return SaverWindowEvent::CloseRequest;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            return state.foreign || FocusStaysOurs(state) ? SaverWindowEvent::None : SaverWindowEvent::FocusLost;
        case SDL_WINDOWEVENT_EXPOSED: return SaverWindowEvent::Exposed;
        // A foreign window's size is its owner's business: its device keeps the size it was made at.
        case SDL_WINDOWEVENT_SIZE_CHANGED: return state.foreign ? SaverWindowEvent::None : SaverWindowEvent::Resized;
        default: return SaverWindowEvent::None;
        }
    }
    if (state.foreign) return SaverWindowEvent::None;
    if (event.type == SDL_DISPLAYEVENT && event.display.event != SDL_DISPLAYEVENT_ORIENTATION)
        return SaverWindowEvent::DisplaysChanged;
    switch (event.type) {
    case SDL_KEYDOWN: return SaverWindowEvent::Key;
    case SDL_MOUSEBUTTONDOWN: return SaverWindowEvent::Click;
    case SDL_MOUSEMOTION: return SaverWindowEvent::MouseMove;
    default: return SaverWindowEvent::None;
    }
}

// Wayland: the pointer's move within the window it is over moves our own
// position by as much; a first motion in a window (entering it) only marks
// where it is.
void FollowPointer(SdlPlatformState& state, const SDL_Event& event)
{
    if (!state.windowRelativePointer || event.type != SDL_MOUSEMOTION) return;
    const SDL_Window* window = SDL_GetWindowFromID(event.motion.windowID);
    if (window == nullptr) return;
    if (window != state.pointerWindow) {
        state.pointerWindow = window;
        state.pointerOffsetX = state.pointerX - event.motion.x;
        state.pointerOffsetY = state.pointerY - event.motion.y;
    }
    state.pointerX = state.pointerOffsetX + event.motion.x;
    state.pointerY = state.pointerOffsetY + event.motion.y;
}

bool IsLiveSaverWindow(const SdlPlatformState* state)
{
    return state != nullptr && !state->destroyed;
}

} // namespace

SdlPlatformState* StateOfWindow(WindowHandle window)
{
    if (window == nullptr) return nullptr;
    SDL_Window* sdlWindow = static_cast<SDL_Window*>(window);
    auto* state = static_cast<SdlPlatformState*>(SDL_GetWindowData(sdlWindow, StateKey));
    return state != nullptr && state->window == sdlWindow ? state : nullptr;
}

bool IsOwnWindow(const SdlPlatformState& state, const SDL_Window* window)
{
    if (window == state.window) return true;
    for (const DisplayWindow& further : state.furtherWindows)
        if (further.window == window) return true;
    return false;
}

bool IsWayland()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver != nullptr && std::strcmp(driver, "wayland") == 0;
}

SDL_Window* CreateFullScreenWindow(int display)
{
    SDL_Rect bounds{0, 0, 1024, 768};
    SDL_GetDisplayBounds(display, &bounds);
    // Wayland places no window: the compositor covers the output we name,
    // in its own pixels (the output's scale), and says so in a configure
    // that may come after the first frame. The window is resizable: SDL
    // pins a fixed-size window's minimum and maximum to its size whenever a
    // configure comes without the full-screen state (sway's first ones do),
    // and sway then holds the full-screen window at that size.
    if (IsWayland())
        return SDL_CreateWindow("Zembria", SDL_WINDOWPOS_UNDEFINED_DISPLAY(display),
                                SDL_WINDOWPOS_UNDEFINED_DISPLAY(display), bounds.w, bounds.h,
                                SDL_WINDOW_SHOWN | SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_ALLOW_HIGHDPI |
                                    SDL_WINDOW_RESIZABLE);
    // A bare X server has no window manager to honour a desktop full-screen
    // request; a borderless window at the display's bounds covers it anyway.
    return SDL_CreateWindow("Zembria", bounds.x, bounds.y, bounds.w, bounds.h,
                            SDL_WINDOW_SHOWN | SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP);
}

SDL_Window* CreateOwnWindow(const SaverWindowPlacement& placement)
{
    if (placement.kind == SaverWindowKind::Windowed)
        return SDL_CreateWindow("Zembria", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, placement.width,
                                placement.height, SDL_WINDOW_SHOWN);
    return CreateFullScreenWindow(0);
}

int PlatformStart(SdlPlatformState& state, const SaverWindowPlacement& placement)
{
    // Our own watch turns the signals into a close; SDL's would only raise SDL_QUIT later.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // A saver must not keep the desktop awake: no idle inhibitor on Wayland,
    // no inhibit over D-Bus, no reset of X's idle time.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    // A click that gives one of our windows the focus (over a monitor whose
    // window hasn't got it) is still a click: SDL drops such clicks otherwise.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // On a Wayland desktop our own windows are native clients (one full-screen
    // surface per output); an X window named by xscreensaver needs X. A
    // driver the user names in SDL_VIDEODRIVER still wins.
    if (placement.kind != SaverWindowKind::Foreign && std::getenv("WAYLAND_DISPLAY") != nullptr)
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "wayland,x11");
    // SDL connects to the session bus though the saver asks nothing there.
    KeepToTheSessionBus();
    StartSignalWatch(state);
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "zembria: SDL could not start: %s\n", SDL_GetError());
        return 1;
    }
    state.windowRelativePointer = IsWayland();
    // Without a display SDL may fall back to a driver that shows nothing: say so.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver != nullptr && std::strcmp(driver, "x11") != 0 && std::strcmp(driver, "wayland") != 0)
        std::fprintf(stderr, "zembria: drawing through SDL's \"%s\" video driver\n", driver);
    const uint32_t wakeEvent = SDL_RegisterEvents(1);
    state.wakeEvent = wakeEvent == static_cast<uint32_t>(-1) ? 0 : wakeEvent;
    return 0;
}

void PlatformStop(SdlPlatformState& state)
{
    // SDL's wake-ups may have gone to a foreign window that is gone by now;
    // SDL_Quit would read those errors after putting back Xlib's handler,
    // which ends the process with an error. The process ends anyway.
    if (!state.foreign) SDL_Quit();
}

WindowHandle PlatformCreateSaverWindow(SdlPlatformState& state, const SaverWindowPlacement& placement)
{
    SDL_Window* window = placement.kind == SaverWindowKind::Foreign ? OpenForeignWindow(state, placement.foreignWindow)
                                                                    : CreateDrawableWindow(state, placement);
    if (window == nullptr) {
        std::fprintf(stderr, "zembria: no window: %s\n", SDL_GetError());
        return nullptr;
    }
    state.window = window;
    state.foreign = placement.kind == SaverWindowKind::Foreign;
    state.destroyed = false;
    SDL_SetWindowData(window, StateKey, &state);
    if (!state.foreign) SDL_RaiseWindow(window);
    return window;
}

void PlatformDestroySaverWindow(SdlPlatformState& state)
{
    if (state.window == nullptr || state.destroyed) return;
    state.destroyed = true;
    state.timers.clear();
}

void PlatformRequestClose(WindowHandle window)
{
    SdlPlatformState* state = StateOfWindow(window);
    if (IsLiveSaverWindow(state)) state->closeRequested = true;
}

bool PlatformCloseRequested(const SdlPlatformState& state)
{
    return state.closeRequested || state.windowGone;
}

SaverWindowEvent PlatformNextEvent(SdlPlatformState& state, uint32_t waitMs)
{
    SDL_Event event;
    const int got = waitMs == 0 ? SDL_PollEvent(&event) : SDL_WaitEventTimeout(&event, static_cast<int>(waitMs));
    if (got == 0) return SaverWindowEvent::None;
    FollowPointer(state, event);
    return Meaning(state, event);
}

// Looks at SDL's queue without taking anything off: the loop reads it later.
bool PlatformInputQueued(WindowHandle window)
{
    SdlPlatformState* state = StateOfWindow(window);
    if (state == nullptr) return false;
    if (PlatformCloseRequested(*state)) return true;
    SDL_PumpEvents();
    SDL_Event events[64];
    const int count = SDL_PeepEvents(events, 64, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
    for (int i = 0; i < count; ++i) {
        const SaverWindowEvent meaning = Meaning(*state, events[i]);
        if (meaning == SaverWindowEvent::CloseRequest || meaning == SaverWindowEvent::Key || meaning == SaverWindowEvent::Click)
            return true;
    }
    return PlatformCloseRequested(*state);
}

uint32_t PlatformSetTimer(WindowHandle window, uint32_t id, uint32_t milliseconds)
{
    SdlPlatformState* state = StateOfWindow(window);
    if (!IsLiveSaverWindow(state)) return 0;
    const uint32_t due = PlatformTickCount() + milliseconds;
    for (WindowTimer& timer : state->timers) {
        if (timer.id == id) {
            timer = {id, milliseconds, due};
            return id;
        }
    }
    state->timers.push_back({id, milliseconds, due});
    return id;
}

bool PlatformKillTimer(WindowHandle window, uint32_t id)
{
    SdlPlatformState* state = StateOfWindow(window);
    if (state == nullptr) return false;
    for (auto it = state->timers.begin(); it != state->timers.end(); ++it) {
        if (it->id == id) {
            state->timers.erase(it);
            return true;
        }
    }
    return false;
}

bool PlatformTakeDueTimer(SdlPlatformState& state, uint32_t& id)
{
    const uint32_t now = PlatformTickCount();
    WindowTimer* due = nullptr;
    for (WindowTimer& timer : state.timers)
        if (static_cast<int32_t>(now - timer.due) >= 0 && (!due || static_cast<int32_t>(due->due - timer.due) > 0))
            due = &timer;
    if (due == nullptr) return false;
    id = due->id;
    due->due = now + due->period;
    return true;
}

uint32_t PlatformTimerWaitMs(const SdlPlatformState& state)
{
    constexpr uint32_t IdleWaitMs = 60000; // no timer armed: wake now and then anyway
    uint32_t wait = IdleWaitMs;
    const uint32_t now = PlatformTickCount();
    for (const WindowTimer& timer : state.timers) {
        const int32_t left = static_cast<int32_t>(timer.due - now);
        if (left <= 0) return 0;
        if (static_cast<uint32_t>(left) < wait) wait = static_cast<uint32_t>(left);
    }
    return wait;
}
