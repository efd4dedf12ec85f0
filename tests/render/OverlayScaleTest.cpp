// The overlay's scale: from a display's dpi, and every element of a frame
// and of the collision notice at 1, 1.5 and 2 through the recording device.

#include "RecordingFixture.h"

#include "render/CollisionNotice.h"
#include "render/OverlayLayout.h"
#include "render/OverlayScale.h"

#include <cmath>
#include <limits>

bool operator==(const Point& a, const Point& b)
{
    return a.x == b.x && a.y == b.y;
}
std::ostream& operator<<(std::ostream& out, const Point& p)
{
    return out << "(" << p.x << "," << p.y << ")";
}

TEST(OverlayScale, DpiGivesTheNearestQuarterAtLeastOne)
{
    const struct {
        int dpi;
        double scale;
    } cases[] = {{-96, 1}, {0, 1}, {72, 1}, {96, 1}, {107, 1}, {110, 1.25}, {120, 1.25}, {144, 1.5},
                 {163, 1.75}, {168, 1.75}, {192, 2}, {288, 3}, {384, 4}, {1000, 4}};
    for (const auto& c : cases)
        EXPECT_EQ(OverlayScaleForDpi(c.dpi), c.scale) << c.dpi << " dpi";
    EXPECT_EQ(BoundedOverlayScale(std::numeric_limits<double>::quiet_NaN()), 1.0);
    EXPECT_EQ(BoundedOverlayScale(0.5), 1.0);
    EXPECT_EQ(BoundedOverlayScale(9), 4.0);
}

class ScaledOverlay : public RecordingTest {
protected:
    void SetUp() override
    {
        RecordingTest::SetUp();
        app.refreshSeconds = 50;
        app.lastAdvanceTime = At(10, 7, 0);
        app.options.SetString("ShowLocalTime", "yes");
        app.infoStore.AddPair("ImageInfoMain", "Harbour");
        app.infoStore.AddPair("ImageInfoReloadLable", "live");
        app.infoStore.AddPair("ImageInfoSub", "Bay");
        app.infoStore.AddPair("DataTitle", "Sea");
        app.infoStore.AddPair("Data1", "Calm");
        app.infoStore.AddPair("Data1Label", "Waves");
        app.infoStore.AddPair("DataSeperator1", "hr");
        app.infoStore.AddPair("DataSeperator2", "-");
        device.Bar().LoadResource(162, 0, 0);
        device.Emblem().LoadResource(159, 0, 0);
    }

    static const DrawCall& Call(const std::string& text)
    {
        static const DrawCall none{};
        for (const DrawCall& call : Calls())
            if (call.kind == DrawCall::Kind::Text && call.text == text)
                return call;
        ADD_FAILURE() << "no text \"" << text << "\"";
        return none;
    }
    static const DrawCall& Quad(const std::string& texture, int nth = 0)
    {
        static const DrawCall none{};
        for (const DrawCall& call : Calls())
            if (call.kind == DrawCall::Kind::Quad && call.texture.rfind(texture, 0) == 0 && nth-- == 0)
                return call;
        ADD_FAILURE() << "no quad " << texture;
        return none;
    }
    static Point TopLeft(const DrawCall& call) { return {call.rect.left, call.rect.top}; }
};

// Every length of the 96 dpi layout scaled to the nearest pixel, at 1920x1080.
TEST_F(ScaledOverlay, EveryElementStandsWhereTheScaledLayoutPutsIt)
{
    const struct {
        double scale;
        Rect bar, emblem, clockPanel;
        int dashX, localX, zembrianX, clockTop;
        Point main, reload, sub, url, countdown;
        int headingLine, textLine, textChar;
        Rect tablePanel; // the title's: the column's top, at least this wide
        int valueX, ruleHeight;
        Rect noticePanel;
        Point noticeTitle;
    } cases[] = {
        {1, {0, 915, 612, 1000}, {7, 875, 132, 1015}, {1660, 0, 1920, 25}, 1798, 1810, 1665, 2,
         {159, 918}, {380, 926}, {160, 948}, {160, 979}, {460, 926}, 28, 18, 8,
         {1610, 891, 1910, 909}, 1810, 9, {200, 355, 600, 460}, {200, 360}},
        {1.5, {0, 832, 918, 960}, {11, 772, 198, 982}, {1530, 0, 1920, 38}, 1737, 1755, 1537, 3,
         {239, 837}, {570, 849}, {240, 882}, {240, 928}, {690, 849}, 42, 27, 12,
         {1455, 796, 1905, 823}, 1755, 13, {300, 352, 900, 510}, {300, 360}},
        {2, {0, 750, 1224, 920}, {14, 670, 264, 950}, {1400, 0, 1920, 50}, 1676, 1700, 1410, 4,
         {318, 756}, {760, 772}, {320, 816}, {320, 878}, {920, 772}, 56, 36, 16,
         {1300, 702, 1900, 738}, 1700, 18, {400, 350, 1200, 560}, {400, 360}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scale);
        device.SetOverlayScale(c.scale);
        DrawWholeFrameAt(At(10, 7, 30));

        const Sampling sampling = c.scale == 1 ? Sampling::Nearest : Sampling::Linear;
        EXPECT_EQ(Quad("OverlayLogo 162").rect, c.bar);
        EXPECT_EQ(Quad("OverlayLogo 162").sampling, sampling);
        EXPECT_EQ(Quad("OverlayLogo 159").rect, c.emblem);
        EXPECT_EQ(Quad("OverlayLogo 159").sampling, sampling);
        EXPECT_EQ(Quad("panel").rect, c.clockPanel);
        EXPECT_EQ(TopLeft(Call("-")), (Point{c.dashX, c.clockTop}));
        EXPECT_EQ(TopLeft(Call("local: 10:07 ")), (Point{c.localX, c.clockTop}));
        EXPECT_EQ(TopLeft(Call("time: 12:00 ")), (Point{c.zembrianX, c.clockTop}));
        EXPECT_EQ(TopLeft(Call("Harbour")), c.main);
        EXPECT_EQ(Call("Harbour").rect.bottom - c.main.y, c.headingLine);
        EXPECT_EQ(TopLeft(Call("live")), c.reload);
        EXPECT_EQ(TopLeft(Call("Bay")), c.sub);
        EXPECT_EQ(Call("Bay").rect, (Rect{c.sub.x, c.sub.y, c.sub.x + 3 * c.textChar, c.sub.y + c.textLine}));
        EXPECT_EQ(TopLeft(Call(ZEMBRIA_WEB_HOST)), c.url);
        EXPECT_EQ(TopLeft(Call("  20 secs.")), c.countdown);

        const DrawCall& title = Call(" Sea:");
        EXPECT_EQ(TopLeft(title), (Point{c.tablePanel.left, c.tablePanel.top}));
        EXPECT_EQ(Quad("panel", 1).rect, c.tablePanel);
        EXPECT_EQ(TopLeft(Call(" Calm")), (Point{c.valueX, c.tablePanel.bottom}));
        const Rect rule = Quad("panel", 3).rect; // after the clock panel, the title's and the label's
        EXPECT_EQ(rule, (Rect{c.tablePanel.left, c.tablePanel.bottom + c.textLine,
                              c.tablePanel.right, c.tablePanel.bottom + c.textLine + c.ruleHeight}));

        Calls().clear();
        DrawCollisionNotice(device, app.dictionary, H);
        EXPECT_EQ(Quad("panel").rect, c.noticePanel);
        EXPECT_EQ(TopLeft(Call(" Member Collision:\r\n")), c.noticeTitle);
    }
}
