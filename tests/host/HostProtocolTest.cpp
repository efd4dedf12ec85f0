// The host's message tables, through the recording platform: what closes the
// saver, what the host swallows, what reaches the platform default, and the
// password check of the older family.

#include "host/HostProtocol.h"
#include "host/ModeFlags.h"
#include "host/ProgramOptions.h"
#include "host/SaverContract.h"
#include "host/win32/PlatformHostState.h"
#include "host/win32/PowerSettings.h"
#include "host/win32/WindowProcs.h"
#include "platform/win32/ConnectionCost.h"
#include "tests/support/RecordingPlatform.h"

#include <gtest/gtest.h>

namespace {

WindowHandle const Saver = reinterpret_cast<WindowHandle>(0x100);
WindowHandle const Parent = reinterpret_cast<WindowHandle>(0x200);

class HostProtocolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetPlatformRecording();
        recording.windows = {Saver, Parent};
        // The saver runs as a preview here so that SaverWindowProc starts
        // nothing of the controller: these tests are about the host alone.
        saver.mode.PreviewMode = true;
    }
    MessageResult Host(unsigned message, MessageParam wParam = 0, MessageData lParam = 0)
    {
        return HostWindowProc(saver, Saver, message, wParam, lParam);
    }
    int Closes() const { return recording.CountPosted(Msg::Close); }
    bool Defaulted(unsigned message) const
    {
        for (const RecordedMessage& m : recording.defaulted)
            if (m.message == message) return true;
        return false;
    }
};

TEST_F(HostProtocolTest, KeysAndButtonsClose)
{
    for (unsigned message : {Msg::KeyDown, Msg::SysKeyDown, Msg::LButtonDown, Msg::RButtonDown, Msg::MButtonDown}) {
        SCOPED_TRACE(message);
        recording.posted.clear();
        Host(message);
        EXPECT_EQ(Closes(), 1);
        EXPECT_TRUE(Defaulted(message)) << "then the platform default";
    }
    recording.posted.clear();
    Host(Msg::KeyUp);
    EXPECT_EQ(Closes(), 0);
}

TEST_F(HostProtocolTest, MouseMustMoveMoreThanFourPixels)
{
    recording.cursor = {100, 100};
    Host(Msg::Create);
    recording.cursor = {103, 101};
    Host(Msg::MouseMove);
    EXPECT_EQ(Closes(), 0) << "3 right and 1 down";
    recording.cursor = {103, 102};
    Host(Msg::MouseMove);
    EXPECT_EQ(Closes(), 1) << "3 right and 2 down";
    EXPECT_EQ(saver.host.startPosition.x, 103);
    EXPECT_EQ(saver.host.startPosition.y, 102) << "the start moves with each close request";
    recording.cursor = {99, 101};
    Host(Msg::MouseMove);
    EXPECT_EQ(Closes(), 2) << "leftwards and upwards count as much";
    recording.cursor = {INT32_MIN, 0};
    saver.host.startPosition = {INT32_MAX, 0};
    Host(Msg::MouseMove);
    EXPECT_EQ(Closes(), 3) << "no overflow on extreme coordinates";
}

// The contract as the Linux loop drives it, without messages.
TEST_F(HostProtocolTest, ContractInputCloses)
{
    saver.host.startPosition = {100, 100};
    struct Row {
        SaverInput input;
        PlatformPoint cursor;
        bool closes;
    } const rows[] = {
        {SaverInput::Key, {100, 100}, true},       {SaverInput::Click, {100, 100}, true},
        {SaverInput::Deactivated, {100, 100}, true}, {SaverInput::MouseMove, {102, 102}, false},
        {SaverInput::MouseMove, {103, 102}, true},  {SaverInput::MouseMove, {105, 104}, false},
    };
    for (const Row& row : rows) {
        recording.cursor = row.cursor;
        EXPECT_EQ(SaverInputCloses(saver, row.input), row.closes) << row.cursor.x << "," << row.cursor.y;
    }
    EXPECT_EQ(Closes(), 0) << "the caller closes the window its own way";
}

TEST_F(HostProtocolTest, CreationHidesTheCursorAndTakesTheStart)
{
    recording.cursor = {5, 6};
    Host(Msg::Create);
    EXPECT_EQ(saver.host.startPosition.x, 5);
    EXPECT_EQ(saver.host.startPosition.y, 6);
    EXPECT_EQ(recording.cursorHides, 1);
    EXPECT_TRUE(saver.host.inputMethodDetached);
    Host(Msg::Destroy);
    EXPECT_EQ(recording.quitPosts, 1);
    EXPECT_FALSE(saver.host.inputMethodDetached) << "the input method is given back";
}

TEST_F(HostProtocolTest, ChildPreviewIgnoresInputAndForwardsHelp)
{
    saver.host.childPreview = true;
    saver.host.parent = Parent;
    Host(Msg::Create);
    EXPECT_EQ(recording.cursorHides, 0) << "the preview keeps the cursor";
    recording.cursor = {500, 500};
    for (unsigned message : {Msg::KeyDown, Msg::LButtonDown, Msg::MouseMove, Msg::ActivateApp}) Host(message);
    Host(Msg::PowerBroadcast, 4);
    Host(Msg::SysCommand, SysCmd::MonitorPower);
    EXPECT_EQ(Closes(), 0);

    EXPECT_EQ(Host(Msg::Help, 0, 42), 1);
    EXPECT_EQ(Host(Msg::ContextMenu, 0, 43), 1);
    ASSERT_EQ(recording.posted.size(), 2u);
    EXPECT_EQ(recording.posted[0].window, Parent);
    EXPECT_EQ(recording.posted[0].message, Msg::Help);
    EXPECT_EQ(recording.posted[0].wParam, reinterpret_cast<MessageParam>(Parent));
    EXPECT_EQ(recording.posted[0].lParam, 42);
    EXPECT_EQ(recording.posted[1].message, Msg::ContextMenu);

    recording.windows = {Saver};
    EXPECT_EQ(Host(Msg::Help), 1) << "a parent that is gone gets nothing";
    EXPECT_EQ(recording.posted.size(), 2u);
}

TEST_F(HostProtocolTest, HelpOutsideThePreviewGoesToTheDefault)
{
    Host(Msg::Help);
    EXPECT_TRUE(Defaulted(Msg::Help));
    EXPECT_TRUE(recording.posted.empty());
}

TEST_F(HostProtocolTest, SystemCommands)
{
    for (MessageParam swallowed : {SysCmd::NextWindow, SysCmd::PrevWindow, SysCmd::ScreenSave}) {
        recording.defaulted.clear();
        EXPECT_EQ(Host(Msg::SysCommand, swallowed), 0);
        EXPECT_FALSE(Defaulted(Msg::SysCommand));
    }
    Host(Msg::SysCommand, SysCmd::ScreenSave | 2);
    EXPECT_TRUE(Defaulted(Msg::SysCommand)) << "the full value is compared, without masking";
    Host(Msg::SysCommand, SysCmd::MonitorPower);
    EXPECT_EQ(Closes(), 1);
    Host(Msg::SysCommand, 0xF020);
    EXPECT_EQ(Closes(), 1);
}

TEST_F(HostProtocolTest, ActivationPowerAndCursorMessages)
{
    Host(Msg::ActivateApp, 1);
    EXPECT_EQ(Closes(), 0);
    Host(Msg::ActivateApp, 0);
    EXPECT_EQ(Closes(), 1);

    Host(Msg::Power, 2);
    EXPECT_EQ(Closes(), 1);
    Host(Msg::Power, 3);
    EXPECT_EQ(Closes(), 2);

    int hides = recording.cursorHides;
    EXPECT_EQ(Host(Msg::SetCursor), 1);
    EXPECT_FALSE(Defaulted(Msg::SetCursor));
    Host(Msg::ShowWindow, 0);
    Host(Msg::ShowWindow, 1);
    Host(Msg::Paint);
    EXPECT_EQ(recording.cursorHides, hides + 3);
    EXPECT_EQ(Host(Msg::SetText), 0);
    EXPECT_FALSE(Defaulted(Msg::SetText));
}

TEST_F(HostProtocolTest, EveryPowerBroadcastRow)
{
    saver.host.powerLineStatus = 1;
    recording.acLineStatus = 1;
    struct Row { MessageParam event; MessageData data; bool closes; };
    const Row rows[] = {
        {0, 0, true}, {1, 0, true}, {2, 0, true}, {3, 0, true}, {4, 0, true}, {5, 0, true},
        {6, 0, true}, {6, 1, false}, {7, 0, true}, {7, 1, false}, {8, 0, true}, {8, 3, false},
        {18, 0, true}, {18, 1, false}, {9, 0, true}, {9, 1, true}, {11, 1, true},
        {10, 0, false}, // status unchanged
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "event " << row.event << " data " << row.data);
        recording.posted.clear();
        Host(Msg::PowerBroadcast, row.event, row.data);
        EXPECT_EQ(Closes(), row.closes ? 1 : 0);
    }
    recording.acLineStatus = 0;
    recording.posted.clear();
    Host(Msg::PowerBroadcast, 10);
    EXPECT_EQ(Closes(), 1) << "unplugged";
    EXPECT_EQ(saver.host.powerLineStatus, 0);
    Host(Msg::PowerBroadcast, 10);
    EXPECT_EQ(Closes(), 1) << "the change is remembered";
}

TEST_F(HostProtocolTest, PowerSettingsChangeWhatTheSaverSpendsAndNeverCloseIt)
{
    saver.mode.PreviewMode = false;
    WatchPowerSettings(saver, Saver);
    EXPECT_EQ(recording.powerSettingsWatched, PowerSettingCount);

    using S = PowerSetting;
    struct Row { PowerSetting setting; uint32_t value; bool displaysOn; bool energySaver; };
    const Row rows[] = {
        {S::ConsoleDisplay, 0, false, false}, {S::ConsoleDisplay, 2, true, false}, // dimmed is still seen
        {S::ConsoleDisplay, 0, false, false}, {S::ConsoleDisplay, 1, true, false},
        {S::PowerSaving, 1, true, true},   {S::PowerSaving, 0, true, false},   // battery saver, until...
        {S::EnergySaver, 0, true, false},  {S::PowerSaving, 1, true, false},   // ...energy saver speaks for itself
        {S::EnergySaver, 1, true, true},   {S::EnergySaver, 2, true, true},    {S::Other, 0, true, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "setting " << static_cast<int>(row.setting) << " value " << row.value);
        PowerSettingChange change{row.setting, row.value};
        recording.posted.clear();
        Host(Msg::PowerBroadcast, PowerSettingChangeEvent, reinterpret_cast<MessageData>(&change));
        EXPECT_EQ(Closes(), 0);
        EXPECT_EQ(saver.app.answers.power.displaysOn, row.displaysOn);
        EXPECT_EQ(saver.app.answers.power.energySaver, row.energySaver);
    }
    Host(Msg::Destroy);
    EXPECT_EQ(recording.powerSettingsWatched, 0);

    // The connection's cost: only unrestricted or unknown is not metered.
    const std::pair<uint32_t, bool> costs[] = {{0, false},      {0x1, false},     {0x2, true},      {0x4, true},
                                               {0x10004, true}, {0x40001, true},  {0x20001, true},  {0x80002, true}};
    for (const auto& [cost, metered] : costs) EXPECT_EQ(ConnectionCostIsMetered(cost), metered) << std::hex << cost;
}

// Before start-up goes on, the saver knows what the registrations answer at
// once, waiting no longer than it must: not past the bound, not past input.
TEST_F(HostProtocolTest, PowerSettingsFirstAnswersComeBeforeStartUpGoesOn)
{
    using S = PowerSetting;
    struct Row {
        const char* what;
        bool batterySaver;
        std::vector<PowerSettingChange> answers;
        bool keyQueued, mouseMoved;
        uint32_t waited;
        bool displaysOn, energySaver;
    };
    const Row rows[] = {
        {"every answer at once", false, {{S::ConsoleDisplay, 0}, {S::EnergySaver, 1}, {S::PowerSaving, 0}}, false, false, 0,
         false, true},
        {"an answer that never comes is waited for, boundedly", false, {{S::ConsoleDisplay, 1}, {S::PowerSaving, 1}}, false,
         false, FirstAnswersWaitMs, true, true},
        {"battery saver read at once", true, {}, false, false, FirstAnswersWaitMs, true, true},
        {"a key ends the wait and stays for start-up", false, {}, true, false, 0, true, false},
        {"a mouse move ends the wait and the saver", false, {{S::ConsoleDisplay, 1}}, false, true, 0, true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ResetPlatformRecording();
        saver.mode.PreviewMode = false;
        recording.batterySaver = row.batterySaver;
        recording.powerEvents = row.answers;
        recording.inputQueued = row.keyQueued;
        recording.windowProc = [this, &row](WindowHandle, unsigned message, MessageParam wParam, MessageData lParam) {
            if (row.mouseMoved) recording.cursor.x += 40; // while the answers come
            return Host(message, wParam, lParam);
        };
        const uint32_t started = recording.tick;
        WatchPowerSettings(saver, Saver);
        EXPECT_EQ(recording.tick - started, row.waited);
        EXPECT_EQ(saver.app.answers.power.displaysOn, row.displaysOn);
        EXPECT_EQ(saver.app.answers.power.energySaver, row.energySaver);
        EXPECT_EQ(Closes(), row.mouseMoved ? 1 : 0);
        Host(Msg::Destroy);
    }
}

TEST_F(HostProtocolTest, ClosingDropsTimersAndDefaultsInput)
{
    saver.host.closing = true;
    EXPECT_EQ(Host(Msg::Timer, 1124), 0);
    EXPECT_EQ(recording.sleeps, 0);
    for (unsigned message : {Msg::KeyDown, Msg::MouseMove, Msg::LButtonDown, Msg::Paint, Msg::ActivateApp}) Host(message);
    EXPECT_EQ(Closes(), 0);
    EXPECT_EQ(recording.cursorHides, 0);
    EXPECT_TRUE(Defaulted(Msg::Paint));

    saver.host.closing = false;
    Host(Msg::Timer, 1124);
    EXPECT_EQ(recording.sleeps, 1) << "the thread yields once per tick";
}

TEST_F(HostProtocolTest, CloseReachesTheDefaultOnTheNewerFamily)
{
    Host(Msg::Close);
    EXPECT_TRUE(Defaulted(Msg::Close));
    Host(Msg::VerifyPassword);
    EXPECT_TRUE(Defaulted(Msg::VerifyPassword));
}

TEST_F(HostProtocolTest, RunForClosesLikeAKey)
{
    saver.options.runForSeconds = 3;
    Host(Msg::Create);
    ASSERT_EQ(recording.CountArmed(RunForTimerId), 1);
    EXPECT_EQ(recording.armed.back().milliseconds, 3000u);
    Host(Msg::Timer, RunForTimerId);
    EXPECT_EQ(Closes(), 1);
    EXPECT_EQ(recording.activeTimers.count(RunForTimerId), 0u);
}

TEST_F(HostProtocolTest, AutoPlayIsCancelledOnlyWithAPassword)
{
    saver.platform->autoPlayMessage = 0xC123;
    EXPECT_EQ(Host(0xC123), 0);
    EXPECT_EQ(Closes(), 1);
    saver.platform->verifier = [](WindowHandle) { return false; };
    EXPECT_EQ(Host(0xC123), 1);
    saver.host.childPreview = true;
    EXPECT_EQ(Host(0xC123), 1) << "the final step runs in the preview too";
    EXPECT_EQ(Closes(), 3);
}

// The Windows 95/98/Me family with a password verifier.
class PasswordTest : public HostProtocolTest {
protected:
    static inline int prompts = 0;
    static inline bool accept = false;
    void SetUp() override
    {
        HostProtocolTest::SetUp();
        prompts = 0;
        accept = false;
        saver.platform->olderFamily = true;
        saver.platform->verifier = [](WindowHandle) {
            ++prompts;
            return accept;
        };
        // The verify request is sent to the window.
        recording.windowProc = [](WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam) {
            return HostWindowProc(saver, window, message, wParam, lParam);
        };
    }
};

TEST_F(PasswordTest, RefusedPasswordRenewsTheStartAndDebounces)
{
    recording.cursor = {10, 10};
    recording.queuedTimerMessages = 3;
    EXPECT_EQ(Host(Msg::Close), 0);
    EXPECT_EQ(prompts, 1);
    EXPECT_FALSE(Defaulted(Msg::Close)) << "the saver stays";
    EXPECT_EQ(recording.queuedTimerMessages, 1) << "two pending ticks are dropped";
    EXPECT_EQ(saver.host.startPosition.x, 10);
    EXPECT_FALSE(saver.platform->checking);

    recording.tick += 199;
    Host(Msg::Close);
    EXPECT_EQ(prompts, 1) << "within 200 ms: refused without a prompt";

    recording.tick += 1;
    accept = true;
    Host(Msg::Close);
    EXPECT_EQ(prompts, 2);
    EXPECT_TRUE(saver.host.closing);
    EXPECT_TRUE(Defaulted(Msg::Close)) << "accepted: the window is destroyed";
}

TEST_F(PasswordTest, NoVerifierClosesAtOnce)
{
    saver.platform->verifier = nullptr;
    EXPECT_EQ(Host(Msg::VerifyPassword), 1);
    Host(Msg::Close);
    EXPECT_TRUE(saver.host.closing);
    EXPECT_TRUE(Defaulted(Msg::Close));
    EXPECT_FALSE(VerifyPassword(saver, Saver)) << "closing is already confirmed";
}

TEST_F(PasswordTest, InputDuringTheCheckDoesNotPostMoreCloses)
{
    saver.platform->checking = true;
    Host(Msg::KeyDown);
    Host(Msg::ActivateApp, 0);
    EXPECT_EQ(Closes(), 0);
    EXPECT_FALSE(VerifyPassword(saver, Saver));
    EXPECT_EQ(prompts, 0);
}

TEST_F(PasswordTest, TheFirstCheckIsNotDebounced)
{
    recording.tick = 50; // soon after boot: the never-checked value must not count as a recent check
    Host(Msg::Close);
    EXPECT_EQ(prompts, 1);
}

} // namespace

namespace {

// What a blocked request asks between reads: any of these ends it.
TEST_F(HostProtocolTest, InputPendingWhileTheLoopIsBlocked)
{
    saver.host = HostState{};
    recording.cursor = {100, 100};
    Host(Msg::Create);
    EXPECT_EQ(saver.host.mainWindow, Saver) << "known while the start-up still runs";
    EXPECT_FALSE(SaverInputPending(saver.host));

    recording.cursor = {103, 101};
    EXPECT_FALSE(SaverInputPending(saver.host)) << "within the threshold";
    recording.cursor = {103, 102};
    EXPECT_TRUE(SaverInputPending(saver.host)) << "moved past the threshold";
    recording.cursor = {100, 100};

    recording.inputQueued = true;
    EXPECT_TRUE(SaverInputPending(saver.host)) << "a key or click waits";
    recording.inputQueued = false;

    saver.host.childPreview = true;
    recording.inputQueued = true;
    EXPECT_FALSE(SaverInputPending(saver.host)) << "the preview never closes on input";
}

TEST_F(HostProtocolTest, RunForEndsABlockedRequestWhenTheTimeIsUp)
{
    saver.host = HostState{};
    saver.options.runForSeconds = 3;
    recording.tick = 0xFFFFF000u; // the deadline lies past the tick counter's wrap
    Host(Msg::Create);
    saver.options.runForSeconds = 0;
    recording.tick += 2999;
    EXPECT_FALSE(SaverInputPending(saver.host));
    recording.tick += 1;
    EXPECT_TRUE(SaverInputPending(saver.host));
}

} // namespace
