#pragma once
// The overlay's four fonts and the one table every device makes them from,
// indexed by FontKind.

enum class FontKind { Heading = 0, Text = 1, TextBold = 2, Accent = 3 };

constexpr unsigned FontCount = 4;

struct FontStyle {
    FontKind kind;
    int height; // of a line, in pixels
    int weight; // 400 normal, 700 bold
    bool italic;
};

constexpr FontStyle FontStyles[FontCount] = {
    {FontKind::Heading, 28, 700, false},
    {FontKind::Text, 18, 400, false},
    {FontKind::TextBold, 18, 700, false},
    {FontKind::Accent, 18, 700, true},
};

// The slot of a font kind in the tables; unknown kinds are Text.
constexpr unsigned FontSlot(FontKind kind)
{
    const unsigned slot = static_cast<unsigned>(kind);
    return slot < FontCount ? slot : static_cast<unsigned>(FontKind::Text);
}
