// The frame: the controller's state at this moment, handed to the render
// side as plain values.

#include "host/SaverApp.h"
#include "render/Overlay.h"
#include "render/RenderDevice.h"

FrameContent SaverApp::FrameContentAt(int64_t now) const
{
    return FrameContentOf(screenRect, options, dictionary, infoStore,
                          CountdownState{refreshSeconds, lastAdvanceTime, advancing}, now);
}

int32_t SaverApp::DrawFrame()
{
    // A lost device is asked on every tick; the tick draws nothing until it is back.
    if (long lost = renderDevice.RecoverIfLost())
        return static_cast<int32_t>(lost);
    return ComposeFrame(renderDevice, FrameContentAt(PlatformNow()));
}
