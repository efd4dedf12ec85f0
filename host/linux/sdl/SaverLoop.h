#pragma once
// The Linux saver's loop: SDL's events and the timer list drive the saver
// contract until the saver closes.

#include "platform/Platform.h"

struct SaverContext;

// Starts the saver in the window and runs it; returns the exit code.
int RunSaverLoop(SaverContext& context, WindowHandle window);
