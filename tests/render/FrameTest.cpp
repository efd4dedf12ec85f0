// The order of a frame's elements and its results.

#include "RecordingFixture.h"
#include "TestPictures.h"

#include "render/Overlay.h"

using Frame = RecordingTest;

namespace {

// What each logged call is, as a short word: the layers of the frame in order.
std::vector<std::string> Layers()
{
    std::vector<std::string> layers;
    for (const DrawCall& call : TheRecording().calls) {
        std::string layer;
        switch (call.kind) {
        case DrawCall::Kind::Clear: layer = "clear"; break;
        case DrawCall::Kind::Present: layer = "present"; break;
        case DrawCall::Kind::Clip: layer = "clip"; break;
        case DrawCall::Kind::Quad: layer = call.texture.rfind("panel", 0) == 0 ? "panel" : call.texture; break;
        case DrawCall::Kind::Text:
            if (call.text.find_first_not_of(" \r\n") == std::string::npos)
                continue; // line measuring
            layer = call.text;
            break;
        }
        if (layers.empty() || layers.back() != layer || layer != "panel")
            layers.push_back(layer);
    }
    return layers;
}

} // namespace

class FrameWithStores : public Frame {
protected:
    void SetUp() override
    {
        Frame::SetUp();
        app.screenRect = ScreenRect{0, 0, W, H};
        app.refreshSeconds = 50;
        app.lastAdvanceTime = At(10, 7, 0);
        app.infoStore.AddPair("ImageInfoMain", "Harbour");
        app.infoStore.AddPair("DataTitle", "Sea");
        device.Bar().LoadResource(162, 0, 0);
        device.Emblem().LoadResource(159, 0, 0);
    }
    int32_t DrawFrameAt(int64_t now) { return ComposeFrame(device, app.FrameContentAt(now)); }
};

TEST_F(FrameWithStores, PictureBarEmblemClocksCaptionsCountdownTable)
{
    std::string picture = testpictures::Write("frame.jpg", testpictures::JpegHeader(W, H));
    ASSERT_EQ(device.Picture().LoadFile(picture, W, H), 0);

    EXPECT_EQ(DrawFrameAt(At(10, 7, 30)), 0);

    std::vector<std::string> expected = {
        "clear", picture, "OverlayLogo 162", "OverlayLogo 159", "panel", "time: 12:00 ",
        "Harbour", ZEMBRIA_WEB_HOST, "  20 secs.", "panel", " Sea:", "present"};
    EXPECT_EQ(Layers(), expected);
    auto quads = CallsOf(DrawCall::Kind::Quad);
    EXPECT_EQ(quads[0].rect, (Rect{0, 0, W, H}));
    EXPECT_EQ(quads[1].rect, (Rect{0, H - 165, 612, H - 80}));
    EXPECT_EQ(quads[2].rect, (Rect{7, H - 205, 132, H - 65}));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(quads[i].colour, Colour::White);
}

TEST_F(FrameWithStores, BlackWithoutAPictureAndTableOnlyForExactlyYes)
{
    for (const char* setting : {"yes", "Yes", "no"}) {
        SCOPED_TRACE(setting);
        Calls().clear();
        device.LastFrame().valid = false; // each setting drawn whole
        app.options.SetString("ShowAllInfos", setting);
        EXPECT_EQ(DrawFrameAt(At(10, 7, 30)), 0);
        std::vector<std::string> expected = {
            "clear", "OverlayLogo 162", "OverlayLogo 159", "panel", "time: 12:00 ",
            "Harbour", ZEMBRIA_WEB_HOST, "  20 secs."};
        if (std::string(setting) == "yes") {
            expected.push_back("panel");
            expected.push_back(" Sea:");
        }
        expected.push_back("present");
        EXPECT_EQ(Layers(), expected);
    }
}

TEST_F(FrameWithStores, NoBarNoEmblemAndAMissingEmblemIsNotAWhiteBlock)
{
    device.Emblem().Unload();
    DrawFrameAt(At(10, 7, 30));
    std::vector<std::string> layers = Layers();
    EXPECT_EQ(layers[1], "OverlayLogo 162");
    EXPECT_EQ(std::count(layers.begin(), layers.end(), "none"), 0);

    Calls().clear();
    device.Bar().Unload();
    DrawFrameAt(At(10, 7, 30));
    EXPECT_EQ(Layers()[1], "panel") << "no bar: the clocks follow the background";
}

TEST_F(FrameWithStores, FailedSceneIsNeitherDrawnNorPresented)
{
    TheRecording().beginSceneResult = static_cast<long>(static_cast<int32_t>(0x88760868u)); // device lost
    EXPECT_EQ(DrawFrameAt(At(10, 7, 30)), static_cast<int32_t>(0x88760868u));
    EXPECT_TRUE(Calls().empty());

    TheRecording().beginSceneResult = 0;
    TheRecording().endSceneResult = static_cast<long>(static_cast<int32_t>(0x8876086Cu));
    EXPECT_EQ(DrawFrameAt(At(10, 7, 30)), static_cast<int32_t>(0x8876086Cu));
    EXPECT_FALSE(Calls().empty());
    EXPECT_TRUE(CallsOf(DrawCall::Kind::Present).empty());
}

TEST_F(FrameWithStores, AFrameThatFailedIsDrawnWholeNextTime)
{
    const Rect screen{0, 0, W, H};
    const DeviceState presentFailed = DeviceState::Failed;
    struct Failure {
        bool batchFails;
        DeviceState presentResult;
    };
    // A whole frame (first drawn at 7:30) and an update of the clocks alone (7:31), each failing.
    for (int64_t failingAt : {At(10, 7, 30), At(10, 7, 31)}) {
        for (const Failure& failure : {Failure{true, DeviceState::Ok}, Failure{false, presentFailed}}) {
            SCOPED_TRACE(testing::Message() << failingAt << (failure.batchFails ? " batch" : " present"));
            device.LastFrame().valid = false;
            if (failingAt == At(10, 7, 31))
                DrawFrameAt(At(10, 7, 30));
            TheRecording().batchFails = failure.batchFails;
            TheRecording().presentResult = failure.presentResult;
            EXPECT_EQ(DrawFrameAt(failingAt), 0) << "the tick itself goes on";
            TheRecording().batchFails = false;
            TheRecording().presentResult = DeviceState::Ok;
            Calls().clear();
            EXPECT_EQ(DrawFrameAt(failingAt), 0);
            const auto presents = CallsOf(DrawCall::Kind::Present);
            ASSERT_EQ(presents.size(), 1u) << "the same frame again, drawn whole";
            EXPECT_EQ(presents[0].rect, screen);
            EXPECT_EQ(CallsOf(DrawCall::Kind::Clear).at(0).rect, screen);
        }
    }
}

TEST_F(FrameWithStores, OnlyWhatChangedIsDrawnAndShown)
{
    std::string picture = testpictures::Write("frame.jpg", testpictures::JpegHeader(W, H));
    ASSERT_EQ(device.Picture().LoadFile(picture, W, H), 0);
    auto presented = [] {
        std::vector<Rect> areas;
        for (const DrawCall& call : CallsOf(DrawCall::Kind::Present))
            areas.push_back(call.rect);
        return areas;
    };
    auto tick = [&](int64_t now) {
        Calls().clear();
        EXPECT_EQ(DrawFrameAt(now), 0);
    };
    const Rect screen{0, 0, W, H};

    tick(At(10, 7, 30));
    EXPECT_EQ(presented(), std::vector<Rect>{screen}) << "the first frame is whole";

    tick(At(10, 7, 30));
    EXPECT_TRUE(Calls().empty()) << "nothing changed: nothing drawn, nothing shown";

    tick(At(10, 7, 31)); // the countdown goes from 20 to 19, the Zembrian clock a minute on
    ASSERT_EQ(presented().size(), 2u);
    const Rect clocks = presented()[0], countdown = presented()[1];
    EXPECT_EQ(clocks.top, 0);
    EXPECT_LE(clocks.left, W - 135);
    EXPECT_GE(clocks.right, W - 135 + 12 * 8) << "the whole clock text";
    EXPECT_LE(clocks.bottom, 2 + 18 + 4);
    EXPECT_LE(countdown.left, 460);
    EXPECT_GE(countdown.right, 460 + 10 * 8) << "the whole countdown text";
    EXPECT_LE(countdown.bottom - countdown.top, 18 + 8) << "one line and a margin";
    EXPECT_EQ(CallsOf(DrawCall::Kind::Clear)[1].rect, countdown) << "each area alone is cleared";
    std::vector<std::string> layers = Layers();
    EXPECT_EQ(std::count(layers.begin(), layers.end(), picture), 2) << "the picture under each area is drawn again";
    EXPECT_EQ(std::count(layers.begin(), layers.end(), "  19 secs."), 1);
    EXPECT_EQ(std::count(layers.begin(), layers.end(), "time: 12:01 "), 1);
    EXPECT_EQ(std::count(layers.begin(), layers.end(), " Sea:"), 0) << "the table is left alone";
    EXPECT_EQ(std::count(layers.begin(), layers.end(), ZEMBRIA_WEB_HOST), 0) << "so are captions away from both";
    EXPECT_EQ(CallsOf(DrawCall::Kind::Clip).back().rect, Rect{}) << "the clip is lifted at the end";

    app.infoStore.SetString("ImageInfoMain", "Bay", true);
    tick(At(10, 8, 0));
    EXPECT_EQ(presented(), std::vector<Rect>{screen}) << "a new caption redraws everything";

    ASSERT_EQ(device.Picture().LoadFile(picture, W, H), 0);
    tick(At(10, 8, 0));
    EXPECT_EQ(presented(), std::vector<Rect>{screen}) << "a new load of the same picture too";
}

// One device per monitor: two devices in one process keep apart what they
// hold and draw, each frame laid out for its own screen.
TEST(TwoDevices, EachDrawsItsOwnFrameForItsOwnSize)
{
    ResetRecording();
    RenderDevice first, second;
    RecordSeparately(first);
    RecordSeparately(second);
    ASSERT_EQ(first.Create({nullptr, 0, 1280, 1024}), 0);
    ASSERT_EQ(second.Create({nullptr, 1, 1024, 768}), 0);
    for (RenderDevice* device : {&first, &second}) {
        device->PrepareSurface();
        device->PrepareFonts();
        device->Bar().LoadResource(162, 0, 0);
    }
    FrameContent content;
    content.captions.main = "Harbour";
    content.screen = Rect{0, 0, 1280, 1024};
    ASSERT_EQ(ComposeFrame(first, content), 0);
    content.captions.main = "Lighthouse";
    content.screen = Rect{0, 0, 1024, 768};
    ASSERT_EQ(ComposeFrame(second, content), 0);

    auto drawn = [](const RenderDevice& device, const std::string& text) {
        for (const DrawCall& call : RecordingOf(device).calls)
            if (call.kind == DrawCall::Kind::Text && call.text == text) return call.rect.top;
        return -1;
    };
    EXPECT_EQ(drawn(first, "Harbour"), CaptionItems(content.captions, 1024, 1.0)[0].y);
    EXPECT_EQ(drawn(second, "Lighthouse"), CaptionItems(content.captions, 768, 1.0)[0].y);
    EXPECT_EQ(drawn(first, "Lighthouse"), -1) << "nothing of the other device's frame";
    EXPECT_EQ(drawn(second, "Harbour"), -1);
    EXPECT_EQ(RecordingOf(first).texturesAlive, 1) << "each device holds its own bar";
    EXPECT_EQ(RecordingOf(second).texturesAlive, 1);
    EXPECT_TRUE(TheRecording().calls.empty()) << "neither logs to the shared recording";
    second.Release();
    EXPECT_EQ(RecordingOf(second).texturesAlive, 0);
    EXPECT_TRUE(first.Bar().IsLoaded()) << "releasing one device leaves the other's textures";
}
