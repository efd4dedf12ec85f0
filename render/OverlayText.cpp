// Text boxes, panels and separators over the picture. Layouts run top-down:
// every text operation returns the y just below what it drew.

#include "render/RenderDevice.h"

#include <algorithm>

void RenderDevice::DrawPanel(const Rect& rect, uint32_t colour)
{
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (panelCache.keepPanels && width > 0 && height > 0) {
        panelCache.Get(width, height).Draw(rect, colour);
        return;
    }
    TextureHandle panel;
    panel.LoadFilled(width, height);
    panel.Draw(rect, colour);
    panel.Unload();
}

Rect RenderDevice::MeasureTextBox(const std::string& text, int x, int y, FontKind kind) const
{
    Rect extent{x, y, x + 1, y + 1};
    MeasureText(kind, text, extent);
    return extent;
}

int RenderDevice::DrawTextBox(const std::string& text, int x, int y, FontKind kind, bool background,
                              int minimumWidth, unsigned format)
{
    const Rect extent = MeasureTextBox(text, x, y, kind);
    if (background) {
        if (minimumWidth < 0) {
            DrawPanel(extent, Colour::DensePanel);
        } else {
            Rect panel = extent;
            panel.right = std::max(panel.right, x + minimumWidth);
            DrawPanel(panel, Colour::Panel);
        }
    }
    RenderText(kind, text, extent, format | TextFormat::NoPrefix,
               kind == FontKind::Accent ? Colour::Accent : Colour::White);
    return extent.bottom;
}

int RenderDevice::MeasureLines(FontKind kind, int lineCount)
{
    if (lineCount < 1)
        return 0;
    std::string text = " ";
    for (int line = 1; line < lineCount; ++line)
        text += " \r\n";
    return DrawTextBox(text, 0, 0, kind, false, 0, TextFormat::TopLeft);
}

int RenderDevice::DrawSeparator(SeparatorKind separator, int x, int y, int width, FontKind kind, bool background,
                                int minimumWidth, unsigned format)
{
    minimumWidth = std::max(minimumWidth, width);
    FontDescription font = SelectFont(kind);
    int half = font.height / 2;
    Rect strip{x, y, x + minimumWidth, y + half};

    if (separator == SeparatorKind::Gap) {
        if (background)
            DrawPanel(strip, Colour::Panel);
        return y + half;
    }

    // A font without a width still gets a finite line of dashes.
    int dashWidth = std::max(font.averageCharWidth, 1);
    std::string dashes;
    while (static_cast<int>(dashes.size()) * dashWidth < width)
        dashes += '-';
    DrawPanel(strip, Colour::Panel);
    DrawTextBox(dashes, x, y - half, kind, false, minimumWidth, format);
    return y + half;
}
