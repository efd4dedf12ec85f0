// A lost device through whole frames: nothing is drawn while it is lost, a
// failed reset is tried again on the next tick, and the first frame after a
// reset draws everything the frame before the loss drew.

#include "RecordingFixture.h"

#include "render/DeviceRecovery.h"
#include "render/Overlay.h"

namespace {

constexpr long ResetFailed = static_cast<int32_t>(0x8876086Cu); // D3DERR_INVALIDCALL

struct Tick {
    const char* what;
    long result;    // of the frame
    bool drawn;     // anything reached the device
    int resets;     // Reset calls so far
    bool lost;
};

} // namespace

TEST_F(RecordingTest, LostDeviceIsResetAndTheWholeFrameComesBack)
{
    app.screenRect = ScreenRect{0, 0, W, H};
    app.infoStore.AddPair("ImageInfoMain", "Harbour");
    renderDevice.barHandle->LoadResource(162, 0, 0);
    renderDevice.emblemHandle->LoadResource(159, 0, 0);
    auto frame = [this] { return ComposeFrame(renderDevice, app.FrameContentAt(At(10, 7, 30))); };

    ASSERT_EQ(frame(), 0);
    const std::vector<DrawCall> before = Calls();

    Recording& device = TheRecording();
    device.presentResult = DeviceResult::Lost;
    device.cooperativeLevels = {DeviceResult::Lost, DeviceResult::NotReset, DeviceResult::NotReset};
    device.resetResults = {ResetFailed, 0};
    const Tick ticks[] = {
        {"Present reports the loss", 0, true, 0, true},
        {"still lost: only polled", DeviceResult::Lost, false, 0, true},
        {"can be reset, but the reset fails", ResetFailed, false, 1, true},
        {"reset again, and it works", 0, true, 2, false},
    };
    for (const Tick& tick : ticks) {
        SCOPED_TRACE(tick.what);
        Calls().clear();
        EXPECT_EQ(frame(), tick.result);
        EXPECT_EQ(!Calls().empty(), tick.drawn);
        EXPECT_EQ(device.resets, tick.resets);
        EXPECT_EQ(renderDevice.lost, tick.lost);
        device.presentResult = 0;
    }
    EXPECT_EQ(device.cooperativeTests, 3) << "polled once per tick while lost, not after";
    EXPECT_TRUE(renderDevice.restored) << "the frame composition is told to draw everything";
    ASSERT_EQ(Calls().size(), before.size());
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(Calls()[i].rect, before[i].rect);
        EXPECT_EQ(Calls()[i].texture, before[i].texture);
        EXPECT_EQ(Calls()[i].text, before[i].text);
    }
}
