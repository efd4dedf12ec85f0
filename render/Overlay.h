#pragma once
// The drawing steps of a frame and the whole frame, each drawn from the
// plain values of FrameContent.

#include "render/FrameContent.h"

#include <cstdint>
#include <string>
#include <vector>

class RenderDevice;

// The clocks at the top right on their panel.
void DrawClocks(RenderDevice& device, const ClockContent& clocks);
// The captions on the bar.
void DrawPictureInfo(RenderDevice& device, const CaptionContent& captions);
// The countdown to the next picture, on the bar.
void DrawCountdown(RenderDevice& device, const std::string& text);
// The table of further information on the right, ending near H - 125.
void DrawInfoTable(RenderDevice& device, const std::vector<TableRow>& rows);

// One whole frame, back to front, begun, ended and presented: 0, or the
// failure code of beginning or ending the scene.
int32_t ComposeFrame(RenderDevice& device, const FrameContent& content);
