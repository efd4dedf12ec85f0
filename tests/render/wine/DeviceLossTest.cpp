// A really lost device under wine: the full-screen window is switched away
// from and back (WM_ACTIVATEAPP, as a lock screen or a task switch does), so
// the device is lost and then asks to be reset; the frame tick after that
// resets it and shows the same picture, bar and texts, pixel for pixel.

#include "DeviceFixture.h"

#include "host/SaverApp.h"
#include "resources/resource.h"

namespace {

int DifferingPixels(const Pixels& a, const Pixels& b)
{
    if (a.argb.size() != b.argb.size())
        return -1;
    int differing = 0;
    for (size_t i = 0; i < a.argb.size(); ++i)
        differing += (a.argb[i] & 0xFFFFFF) != (b.argb[i] & 0xFFFFFF);
    return differing;
}

int WhitePixels(const Pixels& pixels, const Rect& area)
{
    int white = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            uint32_t p = pixels.At(x, y);
            white += Red(p) > 240 && Green(p) > 240 && Blue(p) > 240;
        }
    return white;
}

} // namespace

TEST(DeviceLoss, FrameComesBackAfterTheDeviceIsLostAndReset)
{
    ASSERT_TRUE(OpenDevice());
    // A kept frame is a default-pool surface: it would block the reset if it stayed.
    testDevice.SetKeepPresentedFrame(true);
    const int w = testDevice.ScreenWidth(), h = testDevice.ScreenHeight();
    SaverApp app{testScreens};
    app.screenRect = ScreenRect{0, 0, w, h};
    // No clock and a countdown at 0: every tick's frame is the same.
    app.options.SetString("ShowZembrianTime", "no");
    app.infoStore.AddPair("ImageInfoMain", "Harbour at dawn");
    app.infoStore.AddPair("ImageInfoSub", "second line");
    std::string picture = WriteBitmap("loss.bmp", 64, 64, [](int x, int y) -> uint32_t {
        return 0xFF000000u | static_cast<uint32_t>(x * 4) << 16 | static_cast<uint32_t>(y * 4) << 8 | 0x60;
    });
    ASSERT_EQ(testDevice.Picture().LoadFile(picture, w, h), 0);
    ASSERT_EQ(testDevice.Bar().LoadResource(IDB_BAR, 0, 0), 0);
    ASSERT_EQ(testDevice.Emblem().LoadResource(IDB_EMBLEM, 0, 0), 0);

    ASSERT_EQ(app.DrawFrame(), 0);
    const Pixels before = LastPresentedFrame();
    const Rect captions{20, h - 160, 600, h - 80};
    ASSERT_GT(WhitePixels(before, captions), 100) << "the captions are drawn";

    HWND window = static_cast<HWND>(testDevice.Window());
    SendMessageA(window, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(app.DrawFrame(), static_cast<int32_t>(DeviceState::Lost)) << "switched away: lost, nothing drawn";
    EXPECT_TRUE(testDevice.IsLost());

    SendMessageA(window, WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_EQ(testDevice.TestCooperativeLevel(), DeviceState::NotReset);
    ClearBackBuffer(0xFFFF00FF); // whatever the reset leaves must not show
    EXPECT_EQ(app.DrawFrame(), 0) << "back: reset, and drawn whole";
    EXPECT_FALSE(testDevice.IsLost());
    EXPECT_EQ(testDevice.TestCooperativeLevel(), DeviceState::Ok);

    const Pixels after = LastPresentedFrame();
    EXPECT_EQ(DifferingPixels(before, after), 0) << "picture, bar, emblem and texts as before the loss";
    EXPECT_GT(WhitePixels(after, captions), 100);
    CloseDevice();
}
