// The saver window and its message loop over SDL2. Queued messages go first,
// then SDL's events (as the Windows messages the host handles), then due
// timers (like WM_TIMER, only when nothing else waits); in between the loop
// sleeps in SDL_WaitEventTimeout until the next timer is due.

#include "platform/linux/sdl/SdlPlatformState.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr uint32_t IdleWaitMs = 60000; // no timer armed: wake now and then anyway

void Queue(unsigned message, MessageParam wParam = 0)
{
    PlatformPostMessage(sdlPlatform.window, message, wParam, 0);
}

void TranslateWindowEvent(const SDL_WindowEvent& event)
{
    switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
        Queue(Msg::Close);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        if (!sdlPlatform.foreign) Queue(Msg::ActivateApp, 0);
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        Queue(Msg::Paint);
        break;
    default:
        break;
    }
}

// Input belongs to the saver only in its own window; in a foreign one the
// owner (xscreensaver) decides and ends us with SIGTERM.
void TranslateInput(const SDL_Event& event)
{
    if (sdlPlatform.foreign) return;
    switch (event.type) {
    case SDL_KEYDOWN:
        Queue(Msg::KeyDown, static_cast<MessageParam>(event.key.keysym.sym));
        break;
    case SDL_MOUSEBUTTONDOWN:
        Queue(event.button.button == SDL_BUTTON_RIGHT    ? Msg::RButtonDown
              : event.button.button == SDL_BUTTON_MIDDLE ? Msg::MButtonDown
                                                         : Msg::LButtonDown);
        break;
    case SDL_MOUSEMOTION:
        Queue(Msg::MouseMove);
        break;
    default:
        break;
    }
}

// How long the loop may sleep: until the next timer is due.
uint32_t WaitMs()
{
    uint32_t wait = IdleWaitMs;
    const uint32_t now = PlatformTickCount();
    for (const WindowTimer& timer : sdlPlatform.timers) {
        const int32_t left = static_cast<int32_t>(timer.due - now);
        if (left <= 0) return 0;
        if (static_cast<uint32_t>(left) < wait) wait = static_cast<uint32_t>(left);
    }
    return wait;
}

// The most overdue timer, rearmed for its next period; false when none is due.
bool TakeDueTimer(uint32_t& id)
{
    const uint32_t now = PlatformTickCount();
    WindowTimer* due = nullptr;
    for (WindowTimer& timer : sdlPlatform.timers)
        if (static_cast<int32_t>(now - timer.due) >= 0 && (!due || static_cast<int32_t>(due->due - timer.due) > 0))
            due = &timer;
    if (due == nullptr) return false;
    id = due->id;
    due->due = now + due->period; // like WM_TIMER, late ticks don't pile up
    return true;
}

void NoteCloseRequests()
{
    if ((sdlPlatform.closeRequested || sdlPlatform.windowGone) && !sdlPlatform.destroyed) {
        bool queued = false;
        for (const QueuedMessage& message : sdlPlatform.queue) queued = queued || message.message == Msg::Close;
        if (!queued) Queue(Msg::Close);
    }
}

} // namespace

void TranslateEvent(const SDL_Event& event)
{
    if (event.type == SDL_QUIT || (sdlPlatform.wakeEvent != 0 && event.type == sdlPlatform.wakeEvent)) {
        Queue(Msg::Close);
    } else if (event.type == SDL_WINDOWEVENT) {
        TranslateWindowEvent(event.window);
    } else if (event.type == SDL_SYSWMEVENT) {
        if (ForeignWindowEnded(event)) sdlPlatform.windowGone = true;
    } else {
        TranslateInput(event);
    }
    NoteCloseRequests();
}

void TranslatePendingEvents()
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) TranslateEvent(event);
    NoteCloseRequests();
}

int PlatformStart(const std::string& commandLine)
{
    sdlPlatform.commandLine = commandLine;
    // Our own watch turns the signals into a close; SDL's would only raise SDL_QUIT later.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    StartSignalWatch();
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "zembria: SDL could not start: %s\n", SDL_GetError());
        return 1;
    }
    // Without a display SDL may fall back to a driver that shows nothing: say so.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver != nullptr && std::strcmp(driver, "x11") != 0 && std::strcmp(driver, "wayland") != 0)
        std::fprintf(stderr, "zembria: drawing through SDL's \"%s\" video driver\n", driver);
    sdlPlatform.wakeEvent = SDL_RegisterEvents(1);
    if (sdlPlatform.wakeEvent == static_cast<uint32_t>(-1)) sdlPlatform.wakeEvent = 0;
    return 0;
}

void PlatformStop()
{
    // SDL's wake-ups may have gone to a foreign window that is gone by now;
    // SDL_Quit would read those errors after putting back Xlib's handler,
    // which ends the process with an error. The process ends anyway.
    if (!sdlPlatform.foreign) SDL_Quit();
}

WindowHandle PlatformCreateSaverWindow(const SaverWindowPlacement& placement, WindowProcedure procedure)
{
    SDL_Window* window = nullptr;
    if (placement.kind == SaverWindowKind::Foreign) {
        window = OpenForeignWindow(placement.foreignWindow);
    } else if (placement.kind == SaverWindowKind::Windowed) {
        window = SDL_CreateWindow("Zembria", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, placement.width, placement.height,
                                  SDL_WINDOW_SHOWN);
    } else {
        // A bare X server has no window manager to honour a desktop full-screen
        // request; a borderless window at the display's bounds covers it anyway.
        SDL_Rect bounds{0, 0, 1024, 768};
        SDL_GetDisplayBounds(0, &bounds);
        window = SDL_CreateWindow("Zembria", bounds.x, bounds.y, bounds.w, bounds.h,
                                  SDL_WINDOW_SHOWN | SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP);
    }
    if (window == nullptr) {
        std::fprintf(stderr, "zembria: no window: %s\n", SDL_GetError());
        return nullptr;
    }
    sdlPlatform.window = window;
    sdlPlatform.procedure = procedure;
    sdlPlatform.foreign = placement.kind == SaverWindowKind::Foreign;
    sdlPlatform.destroyed = false;
    if (!sdlPlatform.foreign) SDL_RaiseWindow(window);
    procedure(window, Msg::Create, 0, 0);
    return window;
}

int PlatformRunMessageLoop()
{
    for (;;) {
        TranslatePendingEvents();
        if (!sdlPlatform.queue.empty()) {
            const QueuedMessage message = sdlPlatform.queue.front();
            sdlPlatform.queue.pop_front();
            if (message.message == Msg::Quit) return static_cast<int>(message.wParam);
            PlatformSendMessage(message.window, message.message, message.wParam, message.lParam);
            continue;
        }
        uint32_t id = 0;
        if (TakeDueTimer(id)) {
            PlatformSendMessage(sdlPlatform.window, Msg::Timer, id, 0);
            continue;
        }
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, static_cast<int>(WaitMs())) != 0) TranslateEvent(event);
    }
}
