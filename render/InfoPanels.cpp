// The captions on the bar, the countdown to the next picture and the table
// of further information on the right.

#include "render/Overlay.h"
#include "render/RenderDevice.h"

std::vector<TextItem> CaptionItems(const CaptionContent& captions, int h)
{
    std::vector<TextItem> items{{captions.main, 159, h - 162, FontKind::Heading}};
    if (!captions.reloadLabel.empty())
        items.push_back({captions.reloadLabel, 380, h - 154, FontKind::Accent});
    items.push_back({captions.sub, 160, h - 132, FontKind::Text});
    items.push_back({captions.url, 160, h - 101, FontKind::TextBold});
    return items;
}

void DrawPictureInfo(RenderDevice& device, const CaptionContent& captions)
{
    for (const TextItem& item : CaptionItems(captions, device.screenHeight))
        device.DrawTextBox(item.text, item.x, item.y, item.font, false, 0);
}

TextItem CountdownItem(const std::string& text, int h)
{
    return {text, 460, h - 154, FontKind::Accent};
}

void DrawCountdown(RenderDevice& device, const std::string& text)
{
    const TextItem item = CountdownItem(text, device.screenHeight);
    device.DrawTextBox(item.text, item.x, item.y, item.font, false, 0);
}

Rect DrawInfoTable(RenderDevice& device, const std::vector<TableRow>& rows)
{
    if (rows.empty())
        return Rect{};
    const int x0 = device.screenWidth - 310;
    const int panelWidth = 300;

    // The column ends near H - 125: its height comes from the rows drawn.
    int lines = 0, rules = 0;
    for (const TableRow& row : rows) {
        if (row.kind == TableRowKind::Rule)
            ++rules;
        else if (row.kind != TableRowKind::Gap)
            ++lines;
    }
    int y = device.screenHeight - device.MeasureLines(FontKind::Text, lines + 1) -
            device.MeasureLines(FontKind::Heading, rules) - 125;
    // Rules draw their dashes half a line above the row; values run to the right.
    Rect covered{x0, y - device.SelectFont(FontKind::Text).height, device.screenWidth, y};

    for (const TableRow& row : rows) {
        switch (row.kind) {
        case TableRowKind::Rule:
            y = device.DrawSeparator(SeparatorKind::Rule, x0, y, 290, FontKind::Text, true, panelWidth);
            break;
        case TableRowKind::Gap:
            y = device.DrawSeparator(SeparatorKind::Gap, x0, y, 5, FontKind::Text, true, panelWidth);
            break;
        case TableRowKind::Title:
            y = device.DrawTextBox(" " + row.text + ":", x0, y, FontKind::TextBold, true, panelWidth);
            break;
        case TableRowKind::Value:
            device.DrawTextBox(" " + row.label + ":", x0, y, FontKind::Text, true, panelWidth);
            y = device.DrawTextBox(" " + row.text, x0 + 200, y, FontKind::Text, false, 0);
            break;
        }
    }
    covered.bottom = y;
    return covered;
}
