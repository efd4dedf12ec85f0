#pragma once
// What the Linux saver's process entry needs from the platform beyond
// platform/Platform.h: SDL started and stopped, the saver window with the
// procedure that receives its messages, and the message loop. The window
// handle is the SDL_Window itself.

#include "platform/Platform.h"

#include <string>

using WindowProcedure = MessageResult (*)(WindowHandle, unsigned, MessageParam, MessageData);

enum class SaverWindowKind {
    FullScreen, // borderless at the display's bounds
    Windowed,   // a plain window of width x height
    Foreign     // an X window someone else made (xscreensaver, -root)
};

struct SaverWindowPlacement {
    SaverWindowKind kind = SaverWindowKind::FullScreen;
    int width = 0;
    int height = 0;
    unsigned long foreignWindow = 0; // X window id
};

// Starts SDL's video and events; SIGTERM and SIGINT from now on ask the saver
// window to close. commandLine is what PlatformCommandLine answers. 0 on success.
int PlatformStart(const std::string& commandLine);
void PlatformStop();

// Makes the saver window and sends it WM_CREATE; nullptr when none could be made.
WindowHandle PlatformCreateSaverWindow(const SaverWindowPlacement& placement, WindowProcedure procedure);

// Delivers queued messages, SDL's events and due timers to the window until
// WM_QUIT; returns its exit code.
int PlatformRunMessageLoop();
