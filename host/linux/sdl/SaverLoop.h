#pragma once
// The Linux saver's loop: SDL's events and the timer list drive the saver
// contract until the saver closes.

struct SaverContext;
struct SdlPlatformState;

// Starts the saver in the platform's saver window and runs it; returns the exit code.
int RunSaverLoop(SaverContext& context, SdlPlatformState& platform);
