// The frame's drawing steps at the platform's current time.

#include "render/Overlay.h"

int32_t SaverApp::DrawFrame()
{
    return DrawFrameAt(*this, PlatformNow());
}

void SaverApp::DrawClocks()
{
    DrawClocksAt(*this, PlatformNow());
}

void SaverApp::DrawCountdown()
{
    DrawCountdownAt(*this, PlatformNow());
}
