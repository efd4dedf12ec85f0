// The Direct3D 9 device under wine: its size, fonts, panels, pictures and
// artwork, checked on pixels read back from the device.

#include "DeviceFixture.h"

#include "host/SaverApp.h"
#include "render/Overlay.h"
#include "render/PictureHeader.h"
#include "render/TextureRecord.h"
#include "resources/resource.h"
#include "tests/support/JpegHeader.h"

#include <cstdlib>
#include <fstream>

namespace {

void ExpectGrey(uint32_t pixel, int level, const char* where)
{
    SCOPED_TRACE(where);
    EXPECT_NEAR(Red(pixel), level, 2);
    EXPECT_NEAR(Green(pixel), level, 2);
    EXPECT_NEAR(Blue(pixel), level, 2);
}

// Draws and presents one whole frame over a back buffer that held white in both buffers.
Pixels FrameOverWhite(SaverApp& app)
{
    for (int i = 0; i < 2; ++i) {
        ClearBackBuffer(0xFFFFFFFF);
        testDevice.Present();
    }
    EXPECT_EQ(ComposeFrame(testDevice, app.FrameContentAt(1772409600)), 0);
    return LastPresentedFrame();
}

} // namespace

class DevicePixels : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(OpenDevice()); }
    static void TearDownTestSuite() { CloseDevice(); }
    void SetUp() override
    {
        app.screenRect = ScreenRect{0, 0, testDevice.ScreenWidth(), testDevice.ScreenHeight()};
    }
    // Carries out what draw writes into a list inside a scene and returns the
    // back buffer before it is presented.
    template <typename Draw> Pixels InScene(uint32_t background, Draw draw)
    {
        DrawList list;
        draw(list);
        EXPECT_EQ(testDevice.BeginScene(), 0);
        ClearBackBuffer(background);
        testDevice.Execute(list);
        EXPECT_EQ(testDevice.EndScene(), 0);
        return ReadBackBuffer();
    }
    SaverApp app{testScreens};
};

TEST_F(DevicePixels, DeviceCoversTheDisplayMode)
{
    EXPECT_EQ(testDevice.ScreenWidth(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(testDevice.ScreenHeight(), GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(testDevice.Create({testDevice.Window()}), 1) << "a second device is refused";
    EXPECT_NE(testDevice.NativeState()->Device(), nullptr);
}

TEST_F(DevicePixels, FontsMeasureLines)
{
    const TEXTMETRICA& metrics = testDevice.NativeState()->text.Metrics(FontSlot(FontKind::Text));
    ASSERT_GT(metrics.tmHeight, 0);
    EXPECT_EQ(testDevice.MeasureLines(FontKind::Text, 0), 0);
    EXPECT_EQ(testDevice.MeasureLines(FontKind::Text, 1), metrics.tmHeight);
    DrawList list;
    EXPECT_EQ(DrawTextBox(list, testDevice, "one\r\ntwo", 0, 10, FontKind::Text, false, 0),
              10 + 2 * metrics.tmHeight);
    EXPECT_EQ(testDevice.SelectFont(FontKind::Heading).height, 28);
    EXPECT_EQ(testDevice.SelectFont(FontKind::Accent).height, 18);
    EXPECT_GT(testDevice.SelectFont(FontKind::Text).averageCharWidth, 0);
}

TEST_F(DevicePixels, PanelsDarkenWhatLiesUnderThem)
{
    for (bool keep : {false, true}) {
        SCOPED_TRACE(keep ? "kept panels" : "panels remade");
        if (!keep)
            testDevice.Panels().Clear();
        Pixels white = InScene(0xFFFFFFFF, [](DrawList& list) {
            list.AddPanel(Rect{100, 100, 400, 118}, Colour::Panel);
            list.AddPanel(Rect{100, 200, 400, 218}, Colour::DensePanel);
        });
        // Alpha 0.5 x 0xA0 / 255 (or 0xF0 / 255) of a nearly black colour over white.
        ExpectGrey(white.At(250, 109), 175, "panel over white");
        ExpectGrey(white.At(250, 209), 135, "dense panel over white");
        ExpectGrey(white.At(250, 130), 255, "beside the panel");
        ExpectGrey(white.At(99, 109), 255, "left of the panel");
        if (!keep)
            testDevice.Panels().Clear();
        Pixels black =
            InScene(0xFF000000, [](DrawList& list) { list.AddPanel(Rect{100, 100, 400, 118}, Colour::Panel); });
        ExpectGrey(black.At(250, 109), 0, "panel over black");
    }
}

TEST_F(DevicePixels, TextIsWhiteOrYellow)
{
    Pixels pixels = InScene(0xFF204080, [](DrawList& list) {
        DrawTextBox(list, testDevice, "MMMM", 10, 10, FontKind::Heading, false, 0);
        DrawTextBox(list, testDevice, "MMMM", 10, 60, FontKind::Accent, false, 0);
    });
    int white = 0, yellow = 0;
    for (int y = 10; y < 90; ++y)
        for (int x = 10; x < 120; ++x) {
            uint32_t p = pixels.At(x, y);
            if (Red(p) > 240 && Green(p) > 240 && Blue(p) > 240)
                ++white;
            if (Red(p) > 200 && Green(p) > 200 && Blue(p) < 100)
                ++yellow;
        }
    EXPECT_GT(white, 50);
    EXPECT_GT(yellow, 5);
}

TEST_F(DevicePixels, AmpersandsAreDrawnAsTheyAre)
{
    // With prefix processing "&&&&&&" would show three ampersands, like "&&&".
    Pixels pixels = InScene(0xFF000000, [](DrawList& list) {
        DrawTextBox(list, testDevice, "&&&&&&", 10, 10, FontKind::Heading, false, 0);
        DrawTextBox(list, testDevice, "&&&", 10, 60, FontKind::Heading, false, 0);
    });
    int lit[2] = {0, 0};
    for (int row = 0; row < 2; ++row)
        for (int y = 10 + 50 * row; y < 50 + 50 * row; ++y)
            for (int x = 10; x < 400; ++x)
                lit[row] += Red(pixels.At(x, y)) > 128 ? 1 : 0;
    EXPECT_GT(lit[1], 20);
    EXPECT_GT(lit[0], lit[1] * 3 / 2);
}

TEST_F(DevicePixels, RenderedTextsAreKeptWhileDrawnAndDroppedAfter)
{
    TextTextures& texts = testDevice.NativeState()->textTextures;
    texts.Clear();
    const auto draw = [this](const std::string& text) {
        return InScene(0xFF000000, [&text](DrawList& list) {
            DrawTextBox(list, testDevice, text, 10, 10, FontKind::Accent, false, 0);
        });
    };
    const Pixels first = draw("time: 12:00");
    EXPECT_TRUE(draw("time: 12:00").argb == first.argb);
    EXPECT_EQ(texts.Size(), 1u) << "drawn again from the kept texture";

    // A clock ticking: every new text is rendered, the ones no longer drawn go.
    Pixels last;
    for (int minute = 1; minute <= 20; ++minute) {
        last = draw("time: 12:" + std::string(minute < 10 ? "0" : "") + std::to_string(minute));
        EXPECT_LE(texts.Size(), TextTextures::KeepFrames + 1) << "minute " << minute;
    }
    EXPECT_TRUE(last.argb != first.argb) << "a changed text of the same size is not the kept one";
    texts.Clear();
    EXPECT_TRUE(draw("time: 12:20").argb == last.argb) << "a kept text draws as a fresh one";
}

TEST_F(DevicePixels, ArtworkSitsAtItsRectangles)
{
    ASSERT_EQ(testDevice.Bar().LoadResource(IDB_BAR, 0, 0), 0);
    ASSERT_EQ(testDevice.Emblem().LoadResource(IDB_EMBLEM, 0, 0), 0);
    EXPECT_EQ(testDevice.Bar().Name(), "OverlayLogo");
    EXPECT_EQ(testDevice.Bar().Record()->width, 612);
    EXPECT_EQ(testDevice.Bar().Record()->height, 85);
    EXPECT_EQ(testDevice.Emblem().Record()->width, 125);
    EXPECT_EQ(testDevice.Emblem().Record()->height, 140);

    const int h = testDevice.ScreenHeight();
    const uint32_t red = 0xFFC81E1E;
    Pixels pixels = InScene(red, [h](DrawList& list) {
        list.AddQuad(testDevice.Bar(), Rect{0, h - 165, 612, h - 80}, Colour::White);
        list.AddQuad(testDevice.Emblem(), Rect{7, h - 205, 132, h - 65}, Colour::White);
    });
    uint32_t barLeft = pixels.At(200, h - 140), barRight = pixels.At(610, h - 140), above = pixels.At(300, h - 166);
    EXPECT_GT(Blue(barLeft), Red(barLeft)) << "opaque blue at the bar's left";
    EXPECT_GT(Red(barRight), 180) << "the bar fades out to the right";
    EXPECT_EQ(above, red) << "nothing above the bar";
    uint32_t strip = pixels.At(200, h - 90), upper = pixels.At(200, h - 130);
    EXPECT_LT(Blue(strip), Blue(upper)) << "darker strip under the lighter band";
    EXPECT_EQ(pixels.At(8, h - 204), red) << "the emblem's ground is transparent";
    uint32_t star = pixels.At(69, h - 141);
    EXPECT_GT(Green(star), 150) << "the emblem's gold star";
    EXPECT_EQ(pixels.At(69, h - 64), red) << "nothing below the emblem";
    testDevice.Bar().Unload();
    testDevice.Emblem().Unload();
}

TEST_F(DevicePixels, ColourKeyedBlackShowsBlackAfterTheClear)
{
    std::string path = WriteBitmap("keyed.bmp", 64, 64, [](int x, int) -> uint32_t {
        return x < 32 ? 0xFF000000u : 0xFFC83232u;
    });
    ASSERT_EQ(testDevice.Picture().LoadFile(path, testDevice.ScreenWidth(), testDevice.ScreenHeight()), 0);
    EXPECT_EQ(testDevice.Picture().Record()->width, 64) << "the source image's size";

    Pixels frame = FrameOverWhite(app);
    ASSERT_EQ(frame.width, testDevice.ScreenWidth());
    ExpectGrey(frame.At(400, 500), 0, "keyed black");
    uint32_t colour = frame.At(1400, 500);
    EXPECT_NEAR(Red(colour), 200, 2);
    EXPECT_NEAR(Green(colour), 50, 2);
    testDevice.Picture().Unload();
}

// The start-up's picture alone is copied into the back buffer, not drawn:
// the screen shows exactly what the drawn picture over black shows.
TEST_F(DevicePixels, ThePictureAloneIsCopiedAsDrawn)
{
    const std::string path = WriteBitmap("alone.bmp", 320, 200, [](int x, int y) -> uint32_t {
        return x < 100 ? 0xFF000000u : 0xFF000000u | (x & 0xFF) << 16 | (y & 0xFF) << 8 | 0x40;
    });
    const int w = testDevice.ScreenWidth(), h = testDevice.ScreenHeight();
    ASSERT_EQ(testDevice.Picture().LoadFile(path, w, h), 0);
    EXPECT_EQ(testDevice.BeginScene(), 0);
    EXPECT_FALSE(testDevice.CopyPictureToBackBuffer()) << "never inside a scene";
    EXPECT_EQ(testDevice.EndScene(), 0);

    ClearBackBuffer(0xFFFFFFFF);
    EXPECT_TRUE(testDevice.CopyPictureToBackBuffer());
    const Pixels copied = ReadBackBuffer();
    const Pixels drawn = InScene(0xFF000000u, [w, h](DrawList& list) {
        list.AddQuad(testDevice.Picture(), Rect{0, 0, w, h}, Colour::White);
    });
    ASSERT_EQ(copied.argb.size(), drawn.argb.size());
    size_t differing = 0;
    for (size_t i = 0; i < copied.argb.size(); ++i)
        differing += (copied.argb[i] & 0xFFFFFF) != (drawn.argb[i] & 0xFFFFFF);
    EXPECT_EQ(differing, 0u);
    ExpectGrey(copied.At(w / 10, h / 2), 0, "keyed black");
    testDevice.Picture().Unload();
}

// A photograph far larger than the screen: decoded smaller by its own
// decoder, scaled to the screen, opaque black keyed. Its decode runs aside:
// input during it ends the wait, and the load with it.
TEST_F(DevicePixels, LargePictureDecodesAsideScaledAndKeyed)
{
    const std::string path = WriteJpeg("large.jpg", 4000, 2400, [](int x, int) -> uint32_t {
        return x < 1600 ? 0xFF000000u : 0xFFC83232u;
    });
    ASSERT_FALSE(path.empty());
    const int w = testDevice.ScreenWidth(), h = testDevice.ScreenHeight();

    testDevice.SetInputCheck([] { return true; });
    EXPECT_EQ(testDevice.Picture().LoadFile(path, w, h), E_ABORT);
    EXPECT_FALSE(testDevice.Picture().IsLoaded());
    testDevice.SetInputCheck({});

    ASSERT_EQ(testDevice.Picture().LoadFile(path, w, h), 0);
    EXPECT_EQ(testDevice.Picture().Record()->width, 4000) << "the source image's size";
    EXPECT_EQ(testDevice.Picture().Record()->height, 2400);
    D3DSURFACE_DESC level{};
    D3DTexture(testDevice.Picture().Record()->texture)->GetLevelDesc(0, &level);
    EXPECT_EQ(static_cast<int>(level.Width), w) << "scaled to the size asked for";
    EXPECT_EQ(static_cast<int>(level.Height), h);

    const uint32_t green = 0xFF20C040;
    Pixels pixels = InScene(green, [w, h](DrawList& list) {
        list.AddQuad(testDevice.Picture(), Rect{0, 0, w, h}, Colour::White);
    });
    EXPECT_EQ(pixels.At(w / 5, h / 2), green) << "black keyed: the ground shows through";
    const uint32_t colour = pixels.At(w * 3 / 4, h / 2);
    EXPECT_NEAR(Red(colour), 200, 4);
    EXPECT_NEAR(Green(colour), 50, 4);
    EXPECT_NEAR(Blue(colour), 50, 4);
    testDevice.Picture().Unload();
}

TEST_F(DevicePixels, FailedLoadsLeaveTheBackgroundBlack)
{
    std::ofstream("not-an-image.jpg") << "plain text, not a picture";
    std::ofstream bomb("bomb.png", std::ios::binary);
    const unsigned char header[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R',
                                    0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 8, 6, 0, 0, 0};
    bomb.write(reinterpret_cast<const char*>(header), sizeof header);
    bomb.close();
    std::ofstream("stray.jpg", std::ios::binary) << jpegbytes::JpegText(60000, 60000, jpegbytes::Oddity::StrayByte);

    for (const char* file : {"missing.jpg", "not-an-image.jpg", "bomb.png", "stray.jpg"}) {
        SCOPED_TRACE(file);
        long result = testDevice.Picture().LoadFile(file, testDevice.ScreenWidth(), testDevice.ScreenHeight());
        EXPECT_NE(result, 0);
        EXPECT_FALSE(testDevice.Picture().IsLoaded());
        EXPECT_EQ(testDevice.Picture().Name(), "");
        Pixels frame = FrameOverWhite(app);
        ASSERT_FALSE(frame.argb.empty());
        ExpectGrey(frame.At(400, 500), 0, "background");
    }
    EXPECT_EQ(testDevice.Picture().LoadFile("bomb.png", 100, 100), PictureRefused);
    EXPECT_EQ(testDevice.Picture().LoadFile("stray.jpg", 100, 100), PictureRefused);
}

TEST_F(DevicePixels, SnapshotWritesTheLastPresentedFrame)
{
    for (bool keep : {true, false}) {
        SCOPED_TRACE(keep ? "frame kept at Present" : "back buffer read at the end");
        testDevice.SetKeepPresentedFrame(keep);
        std::remove("snapshot.png");
        for (uint32_t colour : {0xFF3060A0u, 0xFF20C040u}) {
            ClearBackBuffer(colour);
            testDevice.Present();
        }
        ASSERT_EQ(testDevice.SaveSnapshot("snapshot.png"), 0);
        std::ifstream file("snapshot.png", std::ios::binary);
        char signature[8] = {};
        file.read(signature, sizeof signature);
        EXPECT_EQ(std::string(signature, 8), std::string("\x89PNG\r\n\x1a\n", 8));
        Pixels saved = ReadImageFile("snapshot.png");
        ASSERT_FALSE(saved.argb.empty());
        EXPECT_EQ(saved.width, testDevice.ScreenWidth());
        EXPECT_EQ(saved.height, testDevice.ScreenHeight());
        EXPECT_EQ(saved.At(100, 100) & 0xFFFFFF, 0x20C040u) << "the frame presented last, not the one before";
    }
    testDevice.SetKeepPresentedFrame(false);
    EXPECT_NE(testDevice.SaveSnapshot(""), 0);
    EXPECT_NE(testDevice.SaveSnapshot("Z:\\no\\such\\folder\\x.png"), 0);
}

TEST_F(DevicePixels, FramesOfChangedAreasEqualAWholeFrame)
{
    // A picture with black (colour-keyed) stripes, the artwork, captions
    // reaching over the countdown, both clocks and a table.
    std::string path = WriteBitmap("changes.bmp", 256, 128, [](int x, int y) -> uint32_t {
        return x % 32 < 4 ? 0 : static_cast<uint32_t>(x << 16 | y << 8 | 0x40);
    });
    ASSERT_EQ(testDevice.Picture().LoadFile(path, testDevice.ScreenWidth(), testDevice.ScreenHeight()), 0);
    ASSERT_EQ(testDevice.Bar().LoadResource(IDB_BAR, 0, 0), 0);
    ASSERT_EQ(testDevice.Emblem().LoadResource(IDB_EMBLEM, 0, 0), 0);
    app.refreshSeconds = 120;
    app.lastAdvanceTime = 1772409600;
    app.options.SetString("ShowLocalTime", "yes");
    app.infoStore.AddPair("ImageInfoMain", "A caption long enough to run under the countdown");
    app.infoStore.AddPair("ImageInfoReloadLable", "live");
    app.infoStore.AddPair("DataTitle", "Weather");
    app.infoStore.AddPair("Data1", "Sunny");
    app.infoStore.AddPair("Data1Label", "Sky");

    // A minute and more of ticks, twice a second: the clocks and the countdown change.
    testDevice.LastFrame().valid = false;
    for (int tick = 0; tick <= 150; ++tick)
        ASSERT_EQ(ComposeFrame(testDevice, app.FrameContentAt(app.lastAdvanceTime + tick / 2)), 0);
    Pixels changed = ReadBackBuffer();

    testDevice.LastFrame().valid = false;
    ASSERT_EQ(ComposeFrame(testDevice, app.FrameContentAt(app.lastAdvanceTime + 75)), 0);
    Pixels whole = ReadBackBuffer();

    ASSERT_EQ(changed.argb.size(), whole.argb.size());
    size_t differing = 0;
    for (size_t i = 0; i < whole.argb.size(); ++i)
        differing += (changed.argb[i] & 0xFFFFFF) != (whole.argb[i] & 0xFFFFFF);
    EXPECT_EQ(differing, 0u) << "pixels that differ from a whole frame of the same moment";
    testDevice.Picture().Unload();
}
