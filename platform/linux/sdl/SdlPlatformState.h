#pragma once
// The Linux platform's one state: the message queue, the window timers and
// the saver window. Shared by the files of platform/linux/sdl only.

#include "platform/linux/sdl/SdlPlatform.h"

#include <SDL.h>

#include <atomic>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

struct QueuedMessage {
    WindowHandle window;
    unsigned message;
    MessageParam wParam;
    MessageData lParam;
};

struct WindowTimer {
    uint32_t id;
    uint32_t period;
    uint32_t due; // tick count
};

struct SdlPlatformState {
    std::deque<QueuedMessage> queue;
    std::vector<WindowTimer> timers;
    SDL_Window* window = nullptr;
    WindowProcedure procedure = nullptr;
    bool foreign = false;          // drawing into someone else's window: input is theirs
    bool destroyed = false;
    std::string commandLine;
    uint32_t wakeEvent = 0;        // SDL user event the signal watch pushes
    std::atomic<bool> closeRequested{false}; // SIGTERM or SIGINT arrived
    std::atomic<bool> windowGone{false};     // the foreign window vanished
};

extern SdlPlatformState sdlPlatform;

// Turns SDL's waiting events into queued messages.
void TranslatePendingEvents();
void TranslateEvent(const SDL_Event& event);

// Starts the thread that turns SIGTERM and SIGINT into a close request.
void StartSignalWatch();

// Foreign X windows: made from an id, watched for their end.
SDL_Window* OpenForeignWindow(unsigned long id);
// Whether an X event says the foreign window is gone.
bool ForeignWindowEnded(const SDL_Event& event);
