// The captions on the bar, the countdown to the next picture and the table
// of further information on the right.

#include "render/Overlay.h"
#include "render/OverlayLayout.h"
#include "render/RenderDevice.h"

using namespace OverlayLayout;

namespace {

TextItem At(const std::string& text, Point place, FontKind font)
{
    return TextItem{text, place.x, place.y, font};
}

} // namespace

std::vector<TextItem> CaptionItems(const CaptionContent& captions, int h, double s)
{
    std::vector<TextItem> items{At(captions.main, CaptionMain(h, s), FontKind::Heading)};
    if (!captions.reloadLabel.empty())
        items.push_back(At(captions.reloadLabel, CaptionReloadLabel(h, s), FontKind::Accent));
    items.push_back(At(captions.sub, CaptionSub(h, s), FontKind::Text));
    items.push_back(At(captions.url, CaptionUrl(h, s), FontKind::TextBold));
    return items;
}

TextItem CountdownItem(const std::string& text, int h, double s)
{
    return At(text, Countdown(h, s), FontKind::Accent);
}

Rect DrawInfoTable(DrawList& list, const RenderDevice& device, const std::vector<TableRow>& rows)
{
    if (rows.empty())
        return Rect{};
    const double s = device.OverlayScale();
    const int x0 = TableColumnX(device.ScreenWidth(), s);

    // The column ends near H - 125 (scaled): its height comes from the rows drawn.
    int lines = 0, rules = 0;
    for (const TableRow& row : rows) {
        if (row.kind == TableRowKind::Rule)
            ++rules;
        else if (row.kind != TableRowKind::Gap)
            ++lines;
    }
    int y = device.ScreenHeight() - device.MeasureLines(FontKind::Text, lines + 1) -
            device.MeasureLines(FontKind::Heading, rules) - TableBottomMargin(s);
    // Rules draw their dashes half a line above the row; values run to the right.
    Rect covered{x0, y - device.SelectFont(FontKind::Text).height, device.ScreenWidth(), y};

    for (const TableRow& row : rows) {
        switch (row.kind) {
        case TableRowKind::Rule:
            y = DrawSeparator(list, device, SeparatorKind::Rule, x0, y, TableRuleWidth(s), FontKind::Text, true,
                              TablePanelWidth(s));
            break;
        case TableRowKind::Gap:
            y = DrawSeparator(list, device, SeparatorKind::Gap, x0, y, TableGapWidth(s), FontKind::Text, true,
                              TablePanelWidth(s));
            break;
        case TableRowKind::Title:
            y = DrawTextBox(list, device, " " + row.text + ":", x0, y, FontKind::TextBold, true, TablePanelWidth(s));
            break;
        case TableRowKind::Value:
            DrawTextBox(list, device, " " + row.label + ":", x0, y, FontKind::Text, true, TablePanelWidth(s));
            y = DrawTextBox(list, device, " " + row.text, x0 + TableValueOffset(s), y, FontKind::Text, false, 0);
            break;
        }
    }
    covered.bottom = y;
    return covered;
}
