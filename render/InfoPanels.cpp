// The captions on the bar, the countdown to the next picture and the table
// of further information on the right.

#include "render/InfoTable.h"
#include "render/Overlay.h"
#include "render/Printf.h"
#include "render/RenderDevice.h"

#include <algorithm>

void SaverApp::DrawPictureInfo()
{
    RenderDevice& device = renderDevice;
    int h = device.screenHeight;
    device.DrawTextBox(infoStore.GetString("ImageInfoMain", ""), 159, h - 162, FontKind::Heading, false, 0);
    if (!infoStore.GetString("ImageInfoReloadLable", "").empty())
        device.DrawTextBox(infoStore.GetString("ImageInfoReloadLable", "live"), 380, h - 154, FontKind::Accent,
                           false, 0);
    device.DrawTextBox(infoStore.GetString("ImageInfoSub", ""), 160, h - 132, FontKind::Text, false, 0);
    device.DrawTextBox(infoStore.GetString("ImageInfoURL", ZEMBRIA_WEB_HOST), 160, h - 101, FontKind::TextBold,
                       false, 0);
}

// The whole interval counts down; a clock set back never shows more than the interval.
int SecondsLeft(const SaverApp& app, int64_t now)
{
    int64_t left = static_cast<int64_t>(app.refreshSeconds) - (now - app.lastAdvanceTime);
    return static_cast<int>(std::clamp<int64_t>(left, 0, std::max<int64_t>(app.refreshSeconds, 0)));
}

void DrawCountdownAt(const SaverApp& app, int64_t now)
{
    std::string unit = app.dictionary.GetString("Seconds", "secs.");
    std::string text = app.advancing ? Printf("0 %s", unit.c_str())
                                     : Printf("%4d %s", SecondsLeft(app, now), unit.c_str());
    renderDevice.DrawTextBox(text, 460, renderDevice.screenHeight - 154, FontKind::Accent, false, 0);
}

void SaverApp::DrawInfoTable()
{
    std::vector<TableRow> rows = InfoTableRows(infoStore);
    if (rows.empty())
        return;
    RenderDevice& device = renderDevice;
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
