// Text boxes, line measuring, separators and panels through the recording device.

#include "RecordingFixture.h"

class OverlayText : public RecordingTest {
protected:
    // A text box or a separator written into a list and carried out; its result.
    template <typename... Args> int TextBox(Args... args)
    {
        return Drawn([&](DrawList& list) { return DrawTextBox(list, device, args...); });
    }
    template <typename... Args> int Separator(Args... args)
    {
        return Drawn([&](DrawList& list) { return DrawSeparator(list, device, args...); });
    }
};

TEST_F(OverlayText, TextBoxReturnsBottomOfLastLineWithPanelAsWideAsWidestLine)
{
    int bottom = TextBox("ab\r\nlonger", 10, 20, FontKind::Text, true, -1);

    EXPECT_EQ(bottom, 20 + 2 * 18);
    ASSERT_EQ(Calls().size(), 2u);
    EXPECT_EQ(Calls()[0].kind, DrawCall::Kind::Quad);
    EXPECT_EQ(Calls()[0].rect, (Rect{10, 20, 10 + 6 * 8, 56}));
    EXPECT_EQ(Calls()[0].colour, Colour::DensePanel);
    EXPECT_EQ(Calls()[0].texture, "panel 48x36");
    EXPECT_EQ(Calls()[1].kind, DrawCall::Kind::Text);
    EXPECT_EQ(Calls()[1].rect, (Rect{10, 20, 58, 56}));
    EXPECT_EQ(Calls()[1].text, "ab\r\nlonger");
    EXPECT_EQ(Calls()[1].colour, Colour::White);
    EXPECT_EQ(Calls()[1].format, TextFormat::NoPrefix) << "\"&\" is drawn as it is";
}

TEST_F(OverlayText, MinimumWidthWidensANarrowPanelOnly)
{
    TextBox(std::string(15, 'x'), 100, 0, FontKind::Text, true, 300); // 120 px
    TextBox(std::string(50, 'x'), 100, 0, FontKind::Text, true, 300); // 400 px

    auto quads = CallsOf(DrawCall::Kind::Quad);
    auto texts = CallsOf(DrawCall::Kind::Text);
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_EQ(quads[0].rect, (Rect{100, 0, 400, 18}));
    EXPECT_EQ(quads[0].colour, Colour::Panel);
    EXPECT_EQ(texts[0].rect, (Rect{100, 0, 220, 18})) << "the text keeps its own extent";
    EXPECT_EQ(quads[1].rect, (Rect{100, 0, 500, 18}));
}

TEST_F(OverlayText, AccentIsYellowAndNoBackgroundDrawsNoPanel)
{
    TextBox("live", 380, 900, FontKind::Accent, false, 0);
    TextBox("title", 0, 0, FontKind::Heading, false, 0);

    ASSERT_EQ(Calls().size(), 2u);
    EXPECT_EQ(Calls()[0].colour, Colour::Accent);
    EXPECT_EQ(Calls()[0].font, FontKind::Accent);
    EXPECT_EQ(Calls()[1].colour, Colour::White);
    EXPECT_EQ(Calls()[1].rect, (Rect{0, 0, 5 * 14, 28}));
}

TEST_F(OverlayText, EmptyTextKeepsItsStartingRectangle)
{
    EXPECT_EQ(TextBox("", 5, 7, FontKind::Text, false, 0), 8);
}

TEST_F(OverlayText, MeasureLinesCountsLinesOfTheFont)
{
    EXPECT_EQ(device.MeasureLines(FontKind::Text, 0), 0);
    EXPECT_EQ(device.MeasureLines(FontKind::Text, -3), 0);
    EXPECT_EQ(device.MeasureLines(FontKind::Text, 1), 18);
    EXPECT_EQ(device.MeasureLines(FontKind::Text, 4), 54) << "the last line break adds no line";
    EXPECT_EQ(device.MeasureLines(FontKind::Heading, 2), 28);
    EXPECT_TRUE(CallsOf(DrawCall::Kind::Quad).empty());
}

TEST_F(OverlayText, RuleOfWidth290HasDashesOverA300PixelStrip)
{
    int next = Separator(SeparatorKind::Rule, 1610, 500, 290, FontKind::Text, false, 300);

    EXPECT_EQ(next, 509);
    ASSERT_EQ(Calls().size(), 2u);
    EXPECT_EQ(Calls()[0].rect, (Rect{1610, 500, 1910, 509})) << "the strip is drawn even without background";
    EXPECT_EQ(Calls()[0].colour, Colour::Panel);
    EXPECT_EQ(Calls()[1].text, std::string(37, '-'));
    EXPECT_EQ(Calls()[1].rect.top, 491) << "dashes start half a line above the strip";
}

TEST_F(OverlayText, RuleOfNoWidthHasNoDashes)
{
    Separator(SeparatorKind::Rule, 0, 100, 0, FontKind::Text, true, 0);
    auto texts = CallsOf(DrawCall::Kind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "");
}

TEST_F(OverlayText, GapAdvancesHalfALineWithOrWithoutStrip)
{
    EXPECT_EQ(Separator(SeparatorKind::Gap, 10, 40, 5, FontKind::Text, false, 300), 49);
    EXPECT_TRUE(Calls().empty());

    EXPECT_EQ(Separator(SeparatorKind::Gap, 10, 40, 5, FontKind::Heading, true, 300), 54);
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0].rect, (Rect{10, 40, 310, 54}));
}

TEST_F(OverlayText, UnknownFontKindIsText)
{
    FontDescription font = device.SelectFont(static_cast<FontKind>(7));
    EXPECT_EQ(font.kind, FontKind::Text);
    EXPECT_EQ(font.height, 18);
    EXPECT_EQ(device.SelectFont(FontKind::Accent).italic, true);
    EXPECT_EQ(device.SelectFont(FontKind::Heading).weight, 700);
}

TEST_F(OverlayText, KeptPanelsDrawTheSameQuadsWithOneTexturePerSize)
{
    auto drawPanels = [this](bool keep) {
        DrawList list;
        for (int i = 0; i < 3; ++i) {
            list.AddPanel(Rect{0, i * 20, 300, i * 20 + 18}, Colour::Panel);
            list.AddPanel(Rect{0, 0, 145, 25}, Colour::Panel);
        }
        for (const DrawCommand& panel : list.Commands()) {
            if (!keep)
                device.Panels().Clear(); // each panel makes and releases its texture
            DrawList one;
            one.AddPanel(panel.rect, panel.colour);
            device.Execute(one);
        }
        if (!keep)
            device.Panels().Clear();
    };
    int alive = TheRecording().texturesAlive;
    int created = TheRecording().texturesCreated;
    drawPanels(false);
    std::vector<DrawCall> remade = Calls();
    EXPECT_EQ(TheRecording().texturesAlive, alive) << "each panel releases its texture";
    EXPECT_EQ(TheRecording().texturesCreated, created + 6);

    Calls().clear();
    drawPanels(true);
    drawPanels(true);
    EXPECT_EQ(TheRecording().texturesCreated, created + 6 + 2) << "one texture per size";
    EXPECT_EQ(TheRecording().texturesAlive, alive + 2);
    ASSERT_EQ(Calls().size(), 2 * remade.size());
    for (size_t i = 0; i < remade.size(); ++i) {
        EXPECT_EQ(Calls()[i].rect, remade[i].rect);
        EXPECT_EQ(Calls()[i].texture, remade[i].texture);
        EXPECT_EQ(Calls()[i].colour, remade[i].colour);
    }

    device.Release();
    EXPECT_EQ(TheRecording().texturesAlive, alive) << "release lets go of the kept panels";
    ASSERT_EQ(device.Create(DeviceSetup{}), 0);
    device.PrepareSurface();
    device.PrepareFonts();
}

TEST_F(OverlayText, PanelCacheStaysBoundedAndSkipsEmptyPanels)
{
    int alive = TheRecording().texturesAlive;
    for (int width = 1; width <= 60; ++width)
        Drawn([width](DrawList& list) { list.AddPanel(Rect{0, 0, width, 10}, Colour::Panel); return 0; });
    EXPECT_EQ(device.Panels().Size(), PanelCache::Capacity);
    EXPECT_EQ(TheRecording().texturesAlive, alive + static_cast<int>(PanelCache::Capacity));

    Drawn([](DrawList& list) { list.AddPanel(Rect{5, 5, 5, 30}, Colour::Panel); return 0; });
    EXPECT_EQ(Calls().back().texture, "none") << "an empty panel still submits its quad";
    EXPECT_EQ(device.Panels().Size(), PanelCache::Capacity);
}
