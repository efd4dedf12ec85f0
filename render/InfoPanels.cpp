// The captions on the bar, the countdown to the next picture and the table
// of further information on the right.

#include "render/Overlay.h"
#include "render/RenderDevice.h"

void DrawPictureInfo(RenderDevice& device, const CaptionContent& captions)
{
    int h = device.screenHeight;
    device.DrawTextBox(captions.main, 159, h - 162, FontKind::Heading, false, 0);
    if (!captions.reloadLabel.empty())
        device.DrawTextBox(captions.reloadLabel, 380, h - 154, FontKind::Accent, false, 0);
    device.DrawTextBox(captions.sub, 160, h - 132, FontKind::Text, false, 0);
    device.DrawTextBox(captions.url, 160, h - 101, FontKind::TextBold, false, 0);
}

void DrawCountdown(RenderDevice& device, const std::string& text)
{
    device.DrawTextBox(text, 460, device.screenHeight - 154, FontKind::Accent, false, 0);
}

void DrawInfoTable(RenderDevice& device, const std::vector<TableRow>& rows)
{
    if (rows.empty())
        return;
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
}
