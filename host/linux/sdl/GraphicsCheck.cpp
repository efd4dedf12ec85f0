// The graphics check on Linux: the saver draws through SDL_Renderer, so it
// needs SDL to offer at least one renderer for the window. Without one it
// says so on stderr and the window stays black, as the Windows saver's does
// when its check fails.

#include "host/GraphicsCheck.h"

#include <SDL.h>

#include <cstdio>

GraphicsCheckRun BeginGraphicsCheck(SaverContext&)
{
    GraphicsCheckRun run;
    run.finished = true;
    run.acceptable = SDL_GetNumRenderDrivers() > 0;
    if (!run.acceptable)
        run.refusal = std::string("SDL offers no renderer to draw with (") + SDL_GetError() + "); nothing will show";
    return run;
}

GraphicsCheckRun FinishGraphicsCheck(SaverContext&, const GraphicsCheckRun& begun)
{
    return begun;
}

void TellGraphicsRefusal(const std::string& refusal)
{
    std::fprintf(stderr, "zembria: %s\n", refusal.c_str());
}

void TellNoGraphicsLibrary(WindowHandle)
{
    std::fprintf(stderr, "zembria: SDL has no renderer to make a device with\n");
}
