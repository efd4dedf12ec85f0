#pragma once
// What the files of platform/linux/sdl share: the state a window carries,
// the signal watch and the foreign X windows.

#include "platform/linux/sdl/SdlPlatform.h"

#include <SDL.h>

// The state the saver window carries, also once it is let go; nullptr for a
// handle that is no saver window of this platform.
SdlPlatformState* StateOfWindow(WindowHandle window);

// A borderless window covering a display, kept above others; nullptr when none could be made.
SDL_Window* CreateFullScreenWindow(int display);
// The saver window placed so (full screen on the first display, or a plain
// window); nullptr when none could be made.
SDL_Window* CreateOwnWindow(const SaverWindowPlacement& placement);
// The same, made where SDL can draw on it: on Wayland it comes with the
// renderer it was tried with (its device takes it over), and where nothing
// draws there SDL goes on through XWayland, saying so (WaylandDrawing.cpp).
SDL_Window* CreateDrawableWindow(SdlPlatformState& state, const SaverWindowPlacement& placement);
// Whether window is the saver window or one of the further windows.
bool IsOwnWindow(const SdlPlatformState& state, const SDL_Window* window);

// Starts the thread that turns SIGTERM and SIGINT into a close request on state.
void StartSignalWatch(SdlPlatformState& state);

// Foreign X windows: made from an id (0: the root window), watched for their end.
SDL_Window* OpenForeignWindow(SdlPlatformState& state, unsigned long id);
// Whether an X event says the state's foreign window is gone.
bool ForeignWindowEnded(const SdlPlatformState& state, const SDL_Event& event);
