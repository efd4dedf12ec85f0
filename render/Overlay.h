#pragma once
// The drawing steps of a frame and the whole frame, each written into a draw
// list from the plain values of FrameContent; the device only measures text.

#include "render/DrawList.h"
#include "render/FontKind.h"
#include "render/FrameContent.h"

#include <cstdint>
#include <string>
#include <vector>

class RenderDevice;

enum class SeparatorKind { Gap = 0, Rule = 1 };

// A text at x, y on an optional panel (minimumWidth < 0: a dense panel as
// wide as the text, else a panel at least that wide). Returns the y below it.
int DrawTextBox(DrawList& list, const RenderDevice& device, const std::string& text, int x, int y, FontKind kind,
                bool background, int minimumWidth, unsigned format = TextFormat::TopLeft);
// A gap (half a line, on a panel when background) or a rule (a panel with a
// line of dashes as wide as width). Returns the y below it.
int DrawSeparator(DrawList& list, const RenderDevice& device, SeparatorKind separator, int x, int y, int width,
                  FontKind kind, bool background, int minimumWidth, unsigned format = TextFormat::TopLeft);

// One text of the overlay at its place.
struct TextItem {
    std::string text;
    int x;
    int y;
    FontKind font;
};

// Where the clock panel lies on a screen of that width, at the overlay's
// scale; empty without clocks.
Rect ClockPanelRect(int screenWidth, const ClockContent& clocks, double scale);
// The texts on the clock panel, in drawing order.
std::vector<TextItem> ClockItems(int screenWidth, const ClockContent& clocks, double scale);

// The captions on the bar, in drawing order, on a screen of that height.
std::vector<TextItem> CaptionItems(const CaptionContent& captions, int screenHeight, double scale);
// The countdown to the next picture, on the bar.
TextItem CountdownItem(const std::string& text, int screenHeight, double scale);
// The table of further information on the right, ending near H - 125 (at
// the device's overlay scale). Returns the area it covers (empty when there are no rows).
Rect DrawInfoTable(DrawList& list, const RenderDevice& device, const std::vector<TableRow>& rows);

// One frame: the first, or one after a change of picture, captions, table or
// device, is drawn whole; when only the clocks or the countdown changed, only
// their areas are drawn again (the picture under them included) and shown;
// an unchanged frame draws and shows nothing. 0, or the failure code of
// beginning or ending the scene.
int32_t ComposeFrame(RenderDevice& device, const FrameContent& content);

// The loaded picture alone on black, before the fonts and the bar are made:
// what start-up shows first. The next frame is drawn whole. 0, or the
// failure code of beginning or ending the scene.
int32_t ShowPictureAlone(RenderDevice& device);
