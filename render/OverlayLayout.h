#pragma once
// Where every element of the overlay sits, by what it places. w and h are
// the screen's width and height, s the overlay's scale (render/OverlayScale.h):
// every length is the one at 96 dpi scaled, and elements at the bottom or the
// right keep their scaled distance to that edge.

#include "render/OverlayScale.h"
#include "render/TextureHandle.h"

struct Point {
    int x;
    int y;
};

namespace OverlayLayout {

// The bar at the bottom left and the emblem that stands over its left end.
constexpr Rect Bar(int h, double s) { return Rect{0, h - Scaled(165, s), Scaled(612, s), h - Scaled(80, s)}; }
constexpr Rect Emblem(int h, double s)
{
    return Rect{Scaled(7, s), h - Scaled(205, s), Scaled(132, s), h - Scaled(65, s)};
}

// The captions on the bar and the countdown to the next picture beside the reload label.
// x from the left edge and y above the bottom, at 96 dpi.
constexpr Point OnBar(int x, int y, int h, double s) { return {Scaled(x, s), h - Scaled(y, s)}; }
constexpr Point CaptionMain(int h, double s) { return OnBar(159, 162, h, s); }
constexpr Point CaptionReloadLabel(int h, double s) { return OnBar(380, 154, h, s); }
constexpr Point CaptionSub(int h, double s) { return OnBar(160, 132, h, s); }
constexpr Point CaptionUrl(int h, double s) { return OnBar(160, 101, h, s); }
constexpr Point Countdown(int h, double s) { return OnBar(460, 154, h, s); }

// The clock panel at the top right: as wide as the clocks it holds.
constexpr int ClockPanelHeight(double s) { return Scaled(25, s); }
constexpr int ClockPanelWidthBoth(double s) { return Scaled(260, s); }
constexpr int ClockPanelWidthZembrian(double s) { return Scaled(145, s); }
constexpr int ClockPanelWidthLocal(double s) { return Scaled(120, s); }
constexpr int ClockTextTop(double s) { return Scaled(2, s); }
constexpr int ClockDashX(int w, double s) { return w - Scaled(122, s); }
constexpr int LocalClockX(int w, double s) { return w - Scaled(110, s); }
constexpr int ZembrianClockX(int w, bool besideLocal, double s) { return w - Scaled(besideLocal ? 255 : 135, s); }

// The information table on the right: labels in a column of panels, values
// further right, the column ending this far above the bottom.
constexpr int TableColumnX(int w, double s) { return w - Scaled(310, s); }
constexpr int TablePanelWidth(double s) { return Scaled(300, s); }
constexpr int TableValueOffset(double s) { return Scaled(200, s); }
constexpr int TableRuleWidth(double s) { return Scaled(290, s); }
constexpr int TableGapWidth(double s) { return Scaled(5, s); }
constexpr int TableBottomMargin(double s) { return Scaled(125, s); }

// The collision notice a third down the screen: a red panel reaching a
// little above its first line, and lines on panels at least this wide.
constexpr int CollisionNoticeLeft(double s) { return Scaled(200, s); }
constexpr int CollisionNoticeTop(int h) { return h / 3; }
constexpr int CollisionNoticeLineWidth(double s) { return Scaled(600, s); }
constexpr Rect CollisionNoticePanel(int h, double s)
{
    return Rect{Scaled(200, s), h / 3 - Scaled(5, s), Scaled(600, s), h / 3 + Scaled(100, s)};
}

} // namespace OverlayLayout
