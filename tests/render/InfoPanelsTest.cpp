// Captions, countdown and the information table.

#include "RecordingFixture.h"

#include "render/Overlay.h"

class InfoPanels : public RecordingTest {
protected:
    // The texts on the bar of the frame at now: the captions, then the countdown.
    std::vector<DrawCall> OnTheBarAt(int64_t now)
    {
        DrawWholeFrameAt(now);
        return DrawnWithin(H - 165, H);
    }
    // The captions alone.
    std::vector<DrawCall> CaptionsAt(int64_t now)
    {
        std::vector<DrawCall> calls = OnTheBarAt(now);
        if (!calls.empty())
            calls.pop_back();
        return calls;
    }
    Rect DrawTable()
    {
        return Drawn([this](DrawList& list) {
            return DrawInfoTable(list, device, app.FrameContentAt(At(10, 0, 0)).tableRows);
        });
    }
};

TEST_F(InfoPanels, CaptionsSitOnTheBarInTheirFonts)
{
    app.infoStore.AddPair("ImageInfoMain", "Harbour");
    app.infoStore.AddPair("ImageInfoSub", "Webcam 3");
    const std::vector<DrawCall> calls = CaptionsAt(At(10, 0, 0));

    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].text, "Harbour");
    EXPECT_EQ(calls[0].font, FontKind::Heading);
    EXPECT_EQ(calls[0].rect.left, 159);
    EXPECT_EQ(calls[0].rect.top, H - 162);
    EXPECT_EQ(calls[1].text, "Webcam 3");
    EXPECT_EQ(calls[1].font, FontKind::Text);
    EXPECT_EQ(calls[1].rect.left, 160);
    EXPECT_EQ(calls[1].rect.top, H - 132);
    EXPECT_EQ(calls[2].text, ZEMBRIA_WEB_HOST);
    EXPECT_EQ(calls[2].font, FontKind::TextBold);
    EXPECT_EQ(calls[2].rect.top, H - 101);
    for (const DrawCall& call : calls)
        EXPECT_EQ(call.kind, DrawCall::Kind::Text) << "captions have no panels";
}

TEST_F(InfoPanels, ReloadLabelOnlyWhenSet)
{
    app.infoStore.AddPair("ImageInfoReloadLable", "next");
    app.infoStore.AddPair("ImageInfoURL", "pictures.example");
    const std::vector<DrawCall> calls = CaptionsAt(At(10, 0, 0));

    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[1].text, "next");
    EXPECT_EQ(calls[1].font, FontKind::Accent);
    EXPECT_EQ(calls[1].colour, Colour::Accent);
    EXPECT_EQ(calls[1].rect.left, 380);
    EXPECT_EQ(calls[1].rect.top, H - 154);
    EXPECT_EQ(calls[3].text, "pictures.example");
}

TEST_F(InfoPanels, CountdownShowsTheSecondsLeftRightAligned)
{
    app.refreshSeconds = 50;
    app.lastAdvanceTime = 1000;
    DrawCall countdown;
    auto textAt = [this, &countdown](int64_t now) {
        const std::vector<DrawCall> calls = OnTheBarAt(now);
        countdown = calls.empty() ? DrawCall{} : calls.back();
        return countdown.text;
    };
    EXPECT_EQ(textAt(1020), "  30 secs.");
    EXPECT_EQ(countdown.rect.left, 460);
    EXPECT_EQ(countdown.rect.top, H - 154);
    EXPECT_EQ(countdown.colour, Colour::Accent);
    EXPECT_EQ(textAt(1055), "   0 secs.");
    EXPECT_EQ(textAt(990), "  50 secs.") << "a clock set back shows no more than the interval";

    app.refreshSeconds = 300;
    app.dictionary.SetString("Seconds", "Sek.");
    EXPECT_EQ(textAt(1100), " 200 Sek.") << "long intervals count down the whole interval";

    app.advancing = true;
    EXPECT_EQ(textAt(1100), "0 Sek.");
}

TEST_F(InfoPanels, TableRowsTitlesRulesAndGaps)
{
    app.infoStore.AddPair("ImageInfoMain", "not a row");
    app.infoStore.AddPair("DataTitle1", "Weather");
    app.infoStore.AddPair("Data1", "Sunny");
    app.infoStore.AddPair("Data1Label", "Sky");
    app.infoStore.AddPair("DataSeperator1", "hr");
    app.infoStore.AddPair("DataSeperator2", "-");
    app.infoStore.AddPair("MyData", "skipped: Data is not at the start");
    app.infoStore.AddPair("Data2", "12 C");
    DrawTable();

    const int x0 = W - 310;
    // Three text rows (title and two values) plus one in Text lines, one rule in
    // Heading lines; the measured text's last line break adds no line.
    int y = H - 3 * 18 - 28 - 125;
    std::vector<DrawCall> expected = {
        {DrawCall::Kind::Quad, {x0, y, x0 + 300, y + 18}, Colour::Panel, "panel 300x18", {}, {}, 0},
        {DrawCall::Kind::Text, {x0, y, x0 + 9 * 8, y + 18}, Colour::White, {}, FontKind::TextBold, " Weather:", 0},
        {DrawCall::Kind::Quad, {x0, y + 18, x0 + 300, y + 36}, Colour::Panel, "panel 300x18", {}, {}, 0},
        {DrawCall::Kind::Text, {x0, y + 18, x0 + 5 * 8, y + 36}, Colour::White, {}, FontKind::Text, " Sky:", 0},
        {DrawCall::Kind::Text, {x0 + 200, y + 18, x0 + 200 + 6 * 8, y + 36}, Colour::White, {}, FontKind::Text,
         " Sunny", 0},
        {DrawCall::Kind::Quad, {x0, y + 36, x0 + 300, y + 45}, Colour::Panel, "panel 300x9", {}, {}, 0},
        {DrawCall::Kind::Text, {x0, y + 27, x0 + 37 * 8, y + 45}, Colour::White, {}, FontKind::Text,
         std::string(37, '-'), 0},
        {DrawCall::Kind::Quad, {x0, y + 45, x0 + 300, y + 54}, Colour::Panel, "panel 300x9", {}, {}, 0},
        {DrawCall::Kind::Quad, {x0, y + 54, x0 + 300, y + 72}, Colour::Panel, "panel 300x18", {}, {}, 0},
        {DrawCall::Kind::Text, {x0, y + 54, x0 + 2 * 8, y + 72}, Colour::White, {}, FontKind::Text, " :", 0},
        {DrawCall::Kind::Text, {x0 + 200, y + 54, x0 + 200 + 5 * 8, y + 72}, Colour::White, {}, FontKind::Text,
         " 12 C", 0},
    };
    const std::vector<DrawCall>& drawn = Calls();
    ASSERT_EQ(drawn.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(drawn[i].kind, expected[i].kind);
        EXPECT_EQ(drawn[i].rect, expected[i].rect);
        EXPECT_EQ(drawn[i].colour, expected[i].colour);
        EXPECT_EQ(drawn[i].texture, expected[i].texture);
        EXPECT_EQ(drawn[i].text, expected[i].text);
        if (drawn[i].kind == DrawCall::Kind::Text) {
            EXPECT_EQ(drawn[i].font, expected[i].font);
        }
    }
}

TEST_F(InfoPanels, NoTableWithoutDataEntries)
{
    EXPECT_EQ(DrawTable(), Rect{});
    app.infoStore.AddPair("ImageInfoMain", "x");
    EXPECT_EQ(DrawTable(), Rect{});
    EXPECT_TRUE(Calls().empty());
}
