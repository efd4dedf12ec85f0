// A really lost device under wine: the full-screen window is switched away
// from and back (WM_ACTIVATEAPP, as a lock screen or a task switch does), so
// Present reports the loss, the device asks to be reset, and the frame after
// the reset shows the same picture, bar and texts, pixel for pixel.

#include "DeviceFixture.h"

#include "host/SaverApp.h"
#include "render/Overlay.h"
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
    renderDevice.keepPresentedFrame = true;
    const int w = renderDevice.screenWidth, h = renderDevice.screenHeight;
    SaverApp app;
    app.screenRect = ScreenRect{0, 0, w, h};
    app.infoStore.AddPair("ImageInfoMain", "Harbour at dawn");
    app.infoStore.AddPair("ImageInfoSub", "second line");
    std::string picture = WriteBitmap("loss.bmp", 64, 64, [](int x, int y) -> uint32_t {
        return 0xFF000000u | static_cast<uint32_t>(x * 4) << 16 | static_cast<uint32_t>(y * 4) << 8 | 0x60;
    });
    ASSERT_EQ(renderDevice.pictureHandle->LoadFile(picture, w, h), 0);
    ASSERT_EQ(renderDevice.barHandle->LoadResource(IDB_BAR, 0, 0), 0);
    ASSERT_EQ(renderDevice.emblemHandle->LoadResource(IDB_EMBLEM, 0, 0), 0);
    auto frame = [&app] { return ComposeFrame(renderDevice, app.FrameContentAt(1772409600)); };

    ASSERT_EQ(frame(), 0);
    const Pixels before = LastPresentedFrame();
    const Rect captions{20, h - 160, 600, h - 80};
    ASSERT_GT(WhitePixels(before, captions), 100) << "the captions are drawn";

    HWND window = static_cast<HWND>(renderDevice.window);
    SendMessageA(window, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(frame(), 0) << "drawn, but Present finds the device lost";
    EXPECT_TRUE(renderDevice.lost);
    EXPECT_EQ(frame(), D3DERR_DEVICELOST) << "while lost nothing is drawn";

    SendMessageA(window, WM_ACTIVATEAPP, TRUE, 0);
    ShowWindow(window, SW_RESTORE);
    EXPECT_EQ(renderDevice.TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
    EXPECT_EQ(frame(), 0) << "reset, then drawn";
    EXPECT_FALSE(renderDevice.lost);
    EXPECT_TRUE(renderDevice.restored);
    EXPECT_EQ(renderDevice.TestCooperativeLevel(), D3D_OK);

    const Pixels after = LastPresentedFrame();
    EXPECT_EQ(DifferingPixels(before, after), 0) << "picture, bar, emblem, clocks and texts as before the loss";
    EXPECT_GT(WhitePixels(after, captions), 100);
    CloseDevice();
}
