// Zembrian time, local time formatting and the clock panel.

#include "RecordingFixture.h"

#include "render/Overlay.h"

class Clocks : public RecordingTest {
protected:
    // What the frame at now draws on the clock panel's strip at the top.
    std::vector<DrawCall> ClocksAt(int64_t now)
    {
        DrawWholeFrameAt(now);
        return DrawnWithin(0, 25);
    }
};

TEST_F(Clocks, ZembrianDayLastsAQuarterHour)
{
    auto expect = [](int64_t t, int hours, int minutes) {
        ZembrianTime z = ZembrianClock(t);
        EXPECT_EQ(z.hours, hours);
        EXPECT_EQ(z.minutes, minutes);
    };
    expect(At(10, 7, 30), 12, 0);
    expect(At(10, 0, 0), 0, 0);
    expect(At(10, 15, 0), 0, 0);
    expect(At(10, 14, 59), 23, 58);
    expect(At(23, 59, 59), 23, 58);
}

TEST_F(Clocks, FormatTimeIsLocalTimeOrEmpty)
{
    EXPECT_EQ(FormatTime(At(10, 7, 30), "%H:%M"), "10:07");
    EXPECT_EQ(FormatTime(At(10, 7, 30), "%H:%M:%S"), "10:07:30");
    EXPECT_EQ(FormatTime(At(1, 2, 3), std::string(200, 'x').c_str()), "") << "longer than the buffer";
}

TEST_F(Clocks, DefaultsShowOnlyTheZembrianClock)
{
    const std::vector<DrawCall> calls = ClocksAt(At(10, 7, 30));

    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].kind, DrawCall::Kind::Quad);
    EXPECT_EQ(calls[0].rect, (Rect{W - 145, 0, W, 25}));
    EXPECT_EQ(calls[0].colour, Colour::Panel);
    EXPECT_EQ(calls[1].text, "time: 12:00 ");
    EXPECT_EQ(calls[1].rect.left, W - 135);
    EXPECT_EQ(calls[1].rect.top, 2);
    EXPECT_EQ(calls[1].font, FontKind::Text);
}

TEST_F(Clocks, BothClocksShareOnePanelWithADash)
{
    app.options.SetString("ShowLocalTime", "yes");
    app.dictionary.SetString("LocalTime", "Ortszeit");
    app.dictionary.SetString("ZembrianTimeSuffix", "Uhr");
    const std::vector<DrawCall> calls = ClocksAt(At(10, 14, 59));

    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].rect, (Rect{W - 260, 0, W, 25}));
    EXPECT_EQ(calls[1].text, "-");
    EXPECT_EQ(calls[1].rect.left, W - 122);
    EXPECT_EQ(calls[2].text, "Ortszeit: 10:14 ");
    EXPECT_EQ(calls[2].rect.left, W - 110);
    EXPECT_EQ(calls[3].text, "time: 23:58 Uhr");
    EXPECT_EQ(calls[3].rect.left, W - 255);
}

TEST_F(Clocks, LocalClockAloneAndFlagsThatAreNotExactlyYes)
{
    app.options.SetString("ShowZembrianTime", "no");
    app.options.SetString("ShowLocalTime", "yes");
    const std::vector<DrawCall> calls = ClocksAt(At(8, 5, 0));
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].rect, (Rect{W - 120, 0, W, 25}));
    EXPECT_EQ(calls[1].text, "local: 08:05 ");
    EXPECT_EQ(calls[1].rect.left, W - 110);

    app.options.SetString("ShowLocalTime", "Yes");
    EXPECT_TRUE(ClocksAt(At(8, 5, 0)).empty());
}
