#pragma once
// The check the saver makes around the creation of its device, run while the
// saver looks for input. Each platform supplies its own: the DirectX check on
// Windows (host/win32), the renderer check on Linux (host/linux/sdl).
// What the check can decide at once comes before the device; a slow part
// that can only confirm may be left pending until the first frames show the
// picture, and is decided after them. A refusal is told by the caller,
// once whatever holds the screen is gone, so the user sees it.

#include "platform/Platform.h"

#include <memory>
#include <string>

struct PendingCheck; // per platform: the part still running
struct DisplayAdapters; // render/RenderDevice.h

struct GraphicsCheckRun {
    bool finished = false;   // the check came to a decision
    bool acceptable = false; // the decision let the saver draw
    std::string refusal;     // why not, for the user; empty when acceptable or nothing was decided
    bool inputCame = false;  // input came while the check ran
    std::shared_ptr<PendingCheck> pending; // set while a part still runs (not finished)
    // What the first device is made from, where the check already made it.
    std::shared_ptr<DisplayAdapters> adapters;
};

struct SaverContext;

// Decides what it can before the device is made. A refusal known by then
// waits for the whole decision (for a bounded time); otherwise a slow part
// may be left pending.
GraphicsCheckRun BeginGraphicsCheck(SaverContext& context);
// Runs the pending part and waits for it (input still ends the wait) and
// decides; a run with nothing pending is returned as it is.
GraphicsCheckRun FinishGraphicsCheck(SaverContext& context, const GraphicsCheckRun& begun);
// Tells the user the refusal's reason the platform's way; returns once they
// have read it.
void TellGraphicsRefusal(const std::string& refusal);

// The device could not be made because the platform has no graphics library
// to make one with: tells the user so and takes the window down the
// platform's way, before the start-up's own failure message follows.
void TellNoGraphicsLibrary(WindowHandle window);

