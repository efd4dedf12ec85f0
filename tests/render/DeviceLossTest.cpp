// A lost device through the frame ticks: the device is asked on every tick,
// nothing is drawn while it is lost, a failed reset is tried again on the next
// tick, and the frame of the tick that resets it is drawn whole, as before
// the loss; after that, frames are change-driven again.

#include "RecordingFixture.h"

#include "render/DeviceRecovery.h"

namespace {

struct Tick {
    const char* what;
    DeviceState result; // of the tick's frame
    bool drawn;    // anything reached the device
    int resets;    // Reset calls so far
    bool lost;
};

} // namespace

TEST_F(RecordingTest, LostDeviceIsResetAndTheWholeFrameComesBack)
{
    app.screenRect = ScreenRect{0, 0, W, H};
    app.infoStore.AddPair("ImageInfoMain", "Harbour");
    device.Bar().LoadResource(162, 0, 0);
    device.Emblem().LoadResource(159, 0, 0);

    Recording& answers = TheRecording();
    answers.presentResult = DeviceState::Lost;
    answers.cooperativeLevels = {DeviceState::Ok, DeviceState::Lost, DeviceState::NotReset, DeviceState::NotReset};
    answers.resetResults = {DeviceState::Failed, DeviceState::Ok};
    const Tick ticks[] = {
        {"drawn whole; Present reports the loss", DeviceState::Ok, true, 0, true},
        {"still lost: only asked", DeviceState::Lost, false, 0, true},
        {"can be reset, but the reset fails", DeviceState::Failed, false, 1, true},
        {"reset again, and it works: drawn whole", DeviceState::Ok, true, 2, false},
        {"nothing changed since", DeviceState::Ok, false, 2, false},
    };
    std::vector<std::vector<DrawCall>> drawn;
    for (const Tick& tick : ticks) {
        SCOPED_TRACE(tick.what);
        Calls().clear();
        EXPECT_EQ(app.DrawFrame(), static_cast<int32_t>(tick.result));
        EXPECT_EQ(!Calls().empty(), tick.drawn);
        EXPECT_EQ(answers.resets, tick.resets);
        EXPECT_EQ(device.IsLost(), tick.lost);
        answers.presentResult = DeviceState::Ok;
        drawn.push_back(Calls());
    }
    EXPECT_EQ(answers.cooperativeTests, 5) << "asked on every tick";

    // The frame of the reset is the first frame again, whole.
    const std::vector<DrawCall>& before = drawn[0];
    const std::vector<DrawCall>& after = drawn[3];
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(after[i].rect, before[i].rect);
        EXPECT_EQ(after[i].texture, before[i].texture);
        EXPECT_EQ(after[i].text, before[i].text);
    }
}
