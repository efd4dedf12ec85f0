// Text boxes, panels and separators over the picture. Layouts run top-down:
// every text operation returns the y just below what it drew.

#include "render/Overlay.h"
#include "render/RenderDevice.h"
#include "render/TextureRecord.h"

#include <algorithm>

const TextureRecord* RenderDevice::PanelTexture(const Rect& rect)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return nullptr;
    const TextureRecord* record = panelCache.Get(*this, width, height).Record();
    return record && record->texture ? record : nullptr;
}

Rect RenderDevice::MeasureTextBox(const std::string& text, int x, int y, FontKind kind) const
{
    Rect extent{x, y, x + 1, y + 1};
    MeasureText(kind, text, extent);
    return extent;
}

int RenderDevice::MeasureLines(FontKind kind, int lineCount) const
{
    if (lineCount < 1)
        return 0;
    std::string text = " ";
    for (int line = 1; line < lineCount; ++line)
        text += " \r\n";
    return MeasureTextBox(text, 0, 0, kind).bottom;
}

int DrawTextBox(DrawList& list, const RenderDevice& device, const std::string& text, int x, int y, FontKind kind,
                bool background, int minimumWidth, unsigned format)
{
    const Rect extent = device.MeasureTextBox(text, x, y, kind);
    if (background) {
        if (minimumWidth < 0) {
            list.AddPanel(extent, Colour::DensePanel);
        } else {
            Rect panel = extent;
            panel.right = std::max(panel.right, x + minimumWidth);
            list.AddPanel(panel, Colour::Panel);
        }
    }
    list.AddText(kind, text, extent, format | TextFormat::NoPrefix,
                 kind == FontKind::Accent ? Colour::Accent : Colour::White);
    return extent.bottom;
}

int DrawSeparator(DrawList& list, const RenderDevice& device, SeparatorKind separator, int x, int y, int width,
                  FontKind kind, bool background, int minimumWidth, unsigned format)
{
    minimumWidth = std::max(minimumWidth, width);
    FontDescription font = device.SelectFont(kind);
    int half = font.height / 2;
    Rect strip{x, y, x + minimumWidth, y + half};

    if (separator == SeparatorKind::Gap) {
        if (background)
            list.AddPanel(strip, Colour::Panel);
        return y + half;
    }

    // A font without a width still gets a finite line of dashes.
    int dashWidth = std::max(font.averageCharWidth, 1);
    std::string dashes;
    while (static_cast<int>(dashes.size()) * dashWidth < width)
        dashes += '-';
    list.AddPanel(strip, Colour::Panel);
    DrawTextBox(list, device, dashes, x, y - half, kind, false, minimumWidth, format);
    return y + half;
}
