#pragma once
// The check the saver makes before it creates its device, run while the
// saver looks for input. Each platform supplies its own: the DirectX check on
// Windows (host/win32), the renderer check on Linux (host/linux/sdl).

struct GraphicsCheckRun {
    bool finished = false;   // the check came to a decision
    bool acceptable = false; // the decision let the saver draw; a refusal has told the user why
    bool inputCame = false;  // input came while the check ran
};

struct SaverContext;

GraphicsCheckRun RunGraphicsCheck(SaverContext& context);
