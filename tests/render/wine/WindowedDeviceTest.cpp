// A windowed device of a chosen size (--window WxH), and a device made again
// after it was released.

#include "DeviceFixture.h"

#include "host/SaverApp.h"
#include "render/Overlay.h"

#include <algorithm>

TEST(WindowedDevice, TakesTheWindowSizeAndSnapshotsIt)
{
    ASSERT_TRUE(OpenDevice(640, 480));
    EXPECT_EQ(testDevice.ScreenWidth(), 640);
    EXPECT_EQ(testDevice.ScreenHeight(), 480);

    SaverApp app{testScreens};
    app.screenRect = ScreenRect{0, 0, 640, 480};
    testDevice.SetKeepPresentedFrame(true);
    ASSERT_EQ(ComposeFrame(testDevice, app.FrameContentAt(1772409600)), 0);
    Pixels frame = ReadBackBuffer();
    ASSERT_EQ(frame.width, 640);
    EXPECT_EQ(frame.At(300, 200) & 0xFFFFFF, 0u) << "no picture: black";
    uint32_t clockPanel = frame.At(639, 10), text = 0;
    EXPECT_LE(std::max({Red(clockPanel), Green(clockPanel), Blue(clockPanel)}), 2) << "a panel over black stays black";
    for (int x = 640 - 135; x < 640; ++x)
        text = std::max(text, frame.At(x, 10) & 0xFF);
    EXPECT_GT(text, 150u) << "the clock's white text";

    ASSERT_EQ(testDevice.SaveSnapshot("windowed.png"), 0);
    Pixels saved = ReadImageFile("windowed.png");
    EXPECT_EQ(saved.width, 640);
    EXPECT_EQ(saved.height, 480);

    CloseDevice();
    EXPECT_FALSE(testDevice.Picture().IsLoaded()) << "the textures go with the device";
    EXPECT_EQ(testDevice.Create({testDevice.Window(), 0, 640, 480}), 0) << "a released device can be made again";
    EXPECT_EQ(testDevice.PrepareSurface(), 0);
    EXPECT_EQ(testDevice.BeginScene(), 0);
    EXPECT_EQ(testDevice.EndScene(), 0);
    testDevice.Release();
    EXPECT_NE(testDevice.BeginScene(), 0) << "no device, no scene";
}
