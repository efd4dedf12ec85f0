#pragma once
// The drawing steps of a frame and the whole frame, each drawn from the
// plain values of FrameContent.

#include "render/FontKind.h"
#include "render/FrameContent.h"

#include <cstdint>
#include <string>
#include <vector>

class RenderDevice;

// One text of the overlay at its place.
struct TextItem {
    std::string text;
    int x;
    int y;
    FontKind font;
};

// The clocks at the top right on their panel.
void DrawClocks(RenderDevice& device, const ClockContent& clocks);
// Where the clock panel lies on a screen of that width; empty without clocks.
Rect ClockPanelRect(int screenWidth, const ClockContent& clocks);
// The texts on the clock panel, in drawing order.
std::vector<TextItem> ClockItems(int screenWidth, const ClockContent& clocks);

// The captions on the bar, in drawing order, on a screen of that height.
std::vector<TextItem> CaptionItems(const CaptionContent& captions, int screenHeight);
void DrawPictureInfo(RenderDevice& device, const CaptionContent& captions);
// The countdown to the next picture, on the bar.
TextItem CountdownItem(const std::string& text, int screenHeight);
void DrawCountdown(RenderDevice& device, const std::string& text);
// The table of further information on the right, ending near H - 125.
// Returns the area it covers (empty when there are no rows).
Rect DrawInfoTable(RenderDevice& device, const std::vector<TableRow>& rows);

// One frame: the first, or one after a change of picture, captions, table or
// device, is drawn whole; when only the clocks or the countdown changed, only
// their areas are drawn again (the picture under them included) and shown;
// an unchanged frame draws and shows nothing. 0, or the failure code of
// beginning or ending the scene.
int32_t ComposeFrame(RenderDevice& device, const FrameContent& content);
