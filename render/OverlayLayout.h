#pragma once
// Where every element of the overlay sits, by what it places. w and h are
// the screen's width and height; elements at the bottom or the right keep
// their distance to that edge.

#include "render/TextureHandle.h"

struct Point {
    int x;
    int y;
};

namespace OverlayLayout {

// The bar at the bottom left and the emblem that stands over its left end.
constexpr Rect Bar(int h) { return Rect{0, h - 165, 612, h - 80}; }
constexpr Rect Emblem(int h) { return Rect{7, h - 205, 132, h - 65}; }

// The captions on the bar and the countdown to the next picture beside the reload label.
constexpr Point CaptionMain(int h) { return {159, h - 162}; }
constexpr Point CaptionReloadLabel(int h) { return {380, h - 154}; }
constexpr Point CaptionSub(int h) { return {160, h - 132}; }
constexpr Point CaptionUrl(int h) { return {160, h - 101}; }
constexpr Point Countdown(int h) { return {460, h - 154}; }

// The clock panel at the top right: as wide as the clocks it holds.
constexpr int ClockPanelHeight = 25;
constexpr int ClockPanelWidthBoth = 260;
constexpr int ClockPanelWidthZembrian = 145;
constexpr int ClockPanelWidthLocal = 120;
constexpr int ClockTextTop = 2;
constexpr int ClockDashX(int w) { return w - 122; }
constexpr int LocalClockX(int w) { return w - 110; }
constexpr int ZembrianClockX(int w, bool besideLocal) { return besideLocal ? w - 255 : w - 135; }

// The information table on the right: labels in a column of panels, values
// further right, the column ending this far above the bottom.
constexpr int TableColumnX(int w) { return w - 310; }
constexpr int TablePanelWidth = 300;
constexpr int TableValueOffset = 200;
constexpr int TableRuleWidth = 290;
constexpr int TableGapWidth = 5;
constexpr int TableBottomMargin = 125;

// The collision notice a third down the screen: a red panel reaching a
// little above its first line, and lines on panels at least this wide.
constexpr Rect CollisionNoticePanel(int h) { return Rect{200, h / 3 - 5, 600, h / 3 + 100}; }
constexpr int CollisionNoticeLeft = 200;
constexpr int CollisionNoticeTop(int h) { return h / 3; }
constexpr int CollisionNoticeLineWidth = 600;

} // namespace OverlayLayout
