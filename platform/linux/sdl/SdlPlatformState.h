#pragma once
// The Linux platform's one state: the saver window, its timers and the close
// request. Shared by the files of platform/linux/sdl only.

#include "platform/linux/sdl/SdlPlatform.h"

#include <SDL.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

struct WindowTimer {
    uint32_t id;
    uint32_t period;
    uint32_t due; // tick count
};

struct SdlPlatformState {
    std::vector<WindowTimer> timers;
    SDL_Window* window = nullptr;
    bool foreign = false;          // drawing into someone else's window: input is theirs
    bool destroyed = false;
    std::string commandLine;
    uint32_t wakeEvent = 0;        // SDL user event the signal watch pushes
    std::atomic<bool> closeRequested{false}; // PlatformRequestClose, SIGTERM or SIGINT
    std::atomic<bool> windowGone{false};     // the foreign window vanished
};

extern SdlPlatformState sdlPlatform;

// Starts the thread that turns SIGTERM and SIGINT into a close request.
void StartSignalWatch();

// Foreign X windows: made from an id, watched for their end.
SDL_Window* OpenForeignWindow(unsigned long id);
// Whether an X event says the foreign window is gone.
bool ForeignWindowEnded(const SDL_Event& event);
