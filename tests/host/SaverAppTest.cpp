// The controller's start-up and ticks: options and texts read from the
// module directory, the refresh interval, the two timers and the loading
// handshake between the slide and the frame timer.

#include "host/HostProtocol.h"
#include "host/ModeFlags.h"
#include "host/ProgramOptions.h"
#include "host/SaverApp.h"
#include "host/SaverContract.h"
#include "host/win32/WindowProcs.h"
#include "render/OverlayLayout.h"
#include "render/RenderDevice.h"
#include "tests/support/JpegHeader.h"
#include "tests/support/RecordingPlatform.h"
#include "tests/support/RecordingDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <fstream>

namespace fs = std::filesystem;

namespace {

WindowHandle const Saver = reinterpret_cast<WindowHandle>(0x100);

class SaverAppTest : public ::testing::Test {
protected:
    fs::path home;

    void SetUp() override
    {
        ResetPlatformRecording();
        home = fs::temp_directory_path() / ("zembria-host-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-"
                                            + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(home);
        fs::create_directories(home);
        saver.mode.ModuleDirectory = home.string();
        saver.options.service = "127.0.0.1:9"; // a login, if any, stays on this machine and is refused
    }
    void TearDown() override { fs::remove_all(home); }

    void WriteFile(const std::string& name, const std::string& lines)
    {
        std::ofstream(home / name, std::ios::binary) << lines;
    }
    void WriteOptions(const std::string& entries)
    {
        WriteFile("Zembria.ini", "# Zembria.ini file\r\n[Settings]\r\n" + entries + "offline = true\r\n");
    }
    void Start()
    {
        saver.app.folders = CurrentFolders(saver.mode, saver.options);
        saver.app.serviceHost = ServiceHostOption(saver.options);
        if (saver.app.StartShowing(Saver) == 0) saver.app.StartService(Saver);
    }

    // The last period the timer was armed with.
    uint32_t LastPeriod(uint32_t id) const
    {
        for (auto it = recording.armed.rbegin(); it != recording.armed.rend(); ++it)
            if (it->id == id) return it->milliseconds;
        return 0;
    }
};

TEST_F(SaverAppTest, GuestWithoutOptionsFile)
{
    Start();
    EXPECT_EQ(saver.app.options.GetString("RefreshRate", ""), "0") << "a guest's interval is the shortest";
    EXPECT_EQ(saver.app.refreshSeconds, 10);
    EXPECT_EQ(LastPeriod(FrameTimerId), 500u);
    EXPECT_EQ(LastPeriod(SlideTimerId), 10020u);
    EXPECT_EQ(recording.activeTimers.size(), 2u);
    EXPECT_EQ(saver.app.lastAdvanceTime, recording.now);
    EXPECT_EQ(saver.app.screenRect.right, saver.screens.First().ScreenWidth());
    EXPECT_EQ(saver.app.screenRect.bottom, saver.screens.First().ScreenHeight());
    EXPECT_TRUE(recording.boxes.empty()) << "a missing options file or dictionary is no error";
}

TEST_F(SaverAppTest, WithoutOptionsFileTheCacheStillLiesBesideTheModule)
{
    // An old picture in the current folder's images must survive the expiry.
    const fs::path elsewhere = home / "current";
    fs::create_directories(elsewhere / "images");
    std::ofstream(elsewhere / "images" / "theirs.jpg") << "x";
    fs::last_write_time(elsewhere / "images" / "theirs.jpg", fs::file_time_type::clock::now() - std::chrono::hours(24 * 30));
    const fs::path before = fs::current_path();
    fs::current_path(elsewhere);
    Start();
    fs::current_path(before);
    EXPECT_EQ(saver.app.options.GetString("ImagePath", ""), (home / "images").string());
    EXPECT_TRUE(fs::exists(elsewhere / "images" / "theirs.jpg"));
    EXPECT_TRUE(fs::is_directory(home / "images"));
}

TEST_F(SaverAppTest, TimersAreArmedLastFrameFirst)
{
    Start();
    ASSERT_GE(recording.armed.size(), 2u);
    const RecordedTimer& frame = recording.armed[recording.armed.size() - 2];
    const RecordedTimer& slide = recording.armed.back();
    EXPECT_EQ(frame.id, FrameTimerId);
    EXPECT_EQ(frame.window, Saver);
    EXPECT_EQ(slide.id, SlideTimerId);
    EXPECT_EQ(saver.app.window, Saver);

    saver.app.StopTimers();
    ASSERT_EQ(recording.killed.size() >= 2, true);
    EXPECT_EQ(recording.killed[recording.killed.size() - 2].id, SlideTimerId) << "the slide timer stops first";
    EXPECT_EQ(recording.killed.back().id, FrameTimerId);
    EXPECT_TRUE(recording.activeTimers.empty());
}

TEST_F(SaverAppTest, MembersKeepTheirIntervalAndTheCacheLiesBesideTheModule)
{
    WriteOptions("MemberLogin = anna\r\nRefreshRate = 9\r\nImagePath = C:\\elsewhere\r\n");
    Start();
    EXPECT_EQ(saver.app.refreshSeconds, 1800);
    EXPECT_EQ(LastPeriod(SlideTimerId), 1803600u);
    EXPECT_EQ(saver.app.options.GetString("ImagePath", ""), (home / "images").string());
}

TEST_F(SaverAppTest, RefreshRateOutsideTheTable)
{
    for (const char* rate : {"12", "-1"}) {
        SCOPED_TRACE(rate);
        WriteOptions(std::string("MemberLogin = anna\r\nRefreshRate = ") + rate + "\r\n");
        Start();
        EXPECT_EQ(saver.app.refreshSeconds, 50);
        EXPECT_EQ(LastPeriod(SlideTimerId), 50100u);
    }
    WriteOptions("MemberLogin = anna\r\nRefreshRate = soon\r\n");
    Start();
    EXPECT_EQ(saver.app.refreshSeconds, 10) << "no digits read as index 0";
}

TEST_F(SaverAppTest, RefreshRateOptionIsTheInverse)
{
    const int seconds[] = {10, 15, 30, 50, 60, 120, 180, 300, 600, 1800};
    for (int i = 0; i < 10; ++i) {
        saver.app.refreshSeconds = seconds[i];
        EXPECT_EQ(saver.app.RefreshRateOption(), std::to_string(i));
        saver.app.options.SetString("RefreshRate", saver.app.RefreshRateOption());
        saver.app.ReadRefreshInterval();
        EXPECT_EQ(saver.app.refreshSeconds, seconds[i]);
    }
    saver.app.refreshSeconds = 45;
    EXPECT_EQ(saver.app.RefreshRateOption(), "3");
}

TEST_F(SaverAppTest, LanguageChoosesDictionaryAndServiceLanguage)
{
    WriteFile("dictionary.0", "[Texts]\r\nProbe = deutsch\r\n");
    WriteFile("dictionary.2", "[Texts]\r\nProbe = zwei\r\n");
    WriteOptions("Language = 0\r\n");
    Start();
    EXPECT_EQ(saver.app.dictionary.GetString("Probe", ""), "deutsch");
    EXPECT_EQ(saver.app.serviceClient.language, "de");

    WriteOptions("Language = 2\r\n");
    saver.app.serviceClient.language = "en";
    Start();
    EXPECT_EQ(saver.app.dictionary.GetString("Probe", ""), "zwei");
    EXPECT_EQ(saver.app.serviceClient.language, "en") << "an unknown language keeps the abbreviation";
}

TEST_F(SaverAppTest, OfflineShowsTheHintWithoutConnecting)
{
    WriteFile("dictionary.1", "[Texts]\r\nHint = Hinweis:\r\nHostNotAvailable = keine Verbindung\r\n");
    // Three cached pictures: the start-up's change shows the second, the
    // rotation still has a next one, so no extra change follows the hint.
    fs::create_directories(home / "images");
    WriteFile("images/a.jpg", "x");
    WriteFile("images/b.jpg", "y");
    WriteFile("images/c.jpg", "z");
    WriteOptions("MemberLogin = anna\r\nMemberCode = 0123456789ABCDEF0123456789ABCDEF\r\n");
    saver.app.pictureList = {(home / "images" / "a.jpg").string(), (home / "images" / "b.jpg").string()};
    Start();
    EXPECT_EQ(saver.app.infoStore.GetString("ImageInfoMain", ""), "Hinweis:");
    EXPECT_EQ(saver.app.infoStore.GetString("ImageInfoSub", ""), "keine Verbindung");
    EXPECT_FALSE(saver.app.serviceClient.IsConnected());
}

TEST_F(SaverAppTest, SlideTickAsksForTheNextPicture)
{
    WriteFile("dictionary.1", "[Texts]\r\nLoading = lade\r\n");
    WriteOptions("");
    Start();
    saver.app.infoStore.SetString("ImageInfoSub", "old", true);
    EXPECT_EQ(saver.app.OnTimer(Saver, SlideTimerId), 0);
    EXPECT_TRUE(saver.app.advancePending);
    EXPECT_EQ(saver.app.infoStore.GetString("ImageInfoMain", ""), "lade");
    EXPECT_EQ(saver.app.infoStore.GetString("ImageInfoSub", "none"), "none") << "the sub caption is emptied";
}

// Input that ended the step's request ends the saver too: the step loads no
// cached picture in its place (with two monitors that delayed the exit by a
// decode and an upload for each).
TEST_F(SaverAppTest, InputEndingAStepLoadsNoCachedPicture)
{
    WriteOptions("");
    Start();
    saver.app.pictureList = {(home / "a.jpg").string(), (home / "b.jpg").string()};
    saver.app.infoStore.SetString("ImageInfoSub", "shown", true);
    saver.host.mainWindow = Saver;
    recording.inputQueued = true;
    saver.app.AdvanceSlide();
    EXPECT_EQ(saver.app.infoStore.GetString("ImageInfoSub", ""), "shown");
    recording.inputQueued = false;
    saver.app.AdvanceSlide();
    EXPECT_EQ(saver.app.infoStore.GetString("ImageInfoSub", ""), saver.app.pictureList[0]) << "without input the rotation goes on";
}

TEST_F(SaverAppTest, SlideTickWhileAdvancingChangesNothing)
{
    saver.app.advancing = true;
    saver.app.infoStore.SetString("ImageInfoMain", "shown", true);
    EXPECT_EQ(saver.app.OnTimer(Saver, SlideTimerId), 0);
    EXPECT_FALSE(saver.app.advancePending);
    EXPECT_EQ(saver.app.infoStore.GetString("ImageInfoMain", ""), "shown");
}

TEST_F(SaverAppTest, FrameTickRunsThePendingChange)
{
    saver.app.OnTimer(Saver, FrameTimerId); // the next frame is the same: drawn as nothing
    saver.app.advancePending = true;
    recording.now += 77;
    EXPECT_EQ(saver.app.OnTimer(Saver, FrameTimerId), 0);
    EXPECT_FALSE(saver.app.advancePending);
    EXPECT_FALSE(saver.app.advancing);
    EXPECT_EQ(saver.app.lastAdvanceTime, recording.now);
    EXPECT_EQ(recording.CountArmed(SlideTimerId), 1) << "the slide timer is re-armed";
    EXPECT_EQ(saver.app.window, Saver);
}

TEST_F(SaverAppTest, FirstFramesShowTheStartUpTextBeforeTheHint)
{
    ResetRecording();
    WriteFile("dictionary.1", "[Texts]\r\nInitialization = starting up\r\nHint = Hinweis:\r\n");
    WriteOptions("");
    Start();
    std::vector<std::string> mains; // the main caption of each presented frame, in order
    std::string lastMain;
    for (const DrawCall& call : TheRecording().calls) {
        if (call.kind == DrawCall::Kind::Text && (call.text == "starting up" || call.text == "Hinweis:")) lastMain = call.text;
        if (call.kind == DrawCall::Kind::Present) mains.push_back(lastMain);
    }
    // The second frame, which changes the picture, is the first one again and
    // so is not drawn anew; the hint follows the picture change.
    ASSERT_GE(mains.size(), 2u);
    EXPECT_EQ(mains[0], "starting up");
    EXPECT_EQ(mains.back(), "Hinweis:") << "the frames without a cached picture show the hint";
    EXPECT_TRUE(std::is_sorted(mains.begin(), mains.end(), std::greater<>())) << "the start-up text, then the hint, never back";
}

TEST_F(SaverAppTest, FailedSceneKeepsThePictureChangePending)
{
    ResetRecording();
    saver.app.advancePending = true;
    TheRecording().beginSceneResult = 1L;
    EXPECT_EQ(saver.app.OnTimer(Saver, FrameTimerId), 1L);
    EXPECT_TRUE(saver.app.advancePending) << "no picture change after a frame that was not drawn";
    EXPECT_EQ(recording.CountArmed(SlideTimerId), 0);

    TheRecording().beginSceneResult = 0;
    TheRecording().endSceneResult = 1L;
    EXPECT_EQ(saver.app.OnTimer(Saver, FrameTimerId), 1L);
    EXPECT_TRUE(saver.app.advancePending);

    TheRecording().endSceneResult = 0;
    EXPECT_EQ(saver.app.OnTimer(Saver, FrameTimerId), 0);
    EXPECT_FALSE(saver.app.advancePending) << "the next good frame changes the picture";
    EXPECT_EQ(recording.CountArmed(SlideTimerId), 1);
}

// The saver window's procedure around the controller.
class SaverWindowTest : public SaverAppTest {
protected:
    MessageResult Window(unsigned message, MessageParam wParam = 0)
    {
        return SaverWindowProc(saver, Saver, message, wParam, 0);
    }
    // The saver as started from the test's own folder, so its cache lands there.
    void StartFromHome(const char* flags)
    {
        recording.modulePath = (home / "Zembria.scr").string();
        ReadModeFlags(saver.mode, saver.options, "\"" + recording.modulePath + "\" " + flags, recording.modulePath);
    }
    // A table row's fresh full-screen start on the saver window.
    void StartAfresh()
    {
        ResetPlatformRecording();
        ResetRecording();
        saver.mode.ModuleDirectory = home.string();
        saver.options.service = "127.0.0.1:9";
        StartFromHome("/s");
        recording.windows = {Saver};
    }
};

TEST_F(SaverWindowTest, CreationStartsAndDestructionStops)
{
    StartFromHome("/s");
    recording.windows = {Saver};
    fs::create_directories(home / "images");
    WriteFile("images/cached.jpg", "x");
    const int devices = TheRecording().devicesCreated;
    Window(Msg::Create);
    EXPECT_EQ(recording.activeTimers.size(), 2u);
    EXPECT_TRUE(recording.boxes.empty());
    ASSERT_EQ(saver.app.pictureList.size(), 1u);
    EXPECT_EQ(TheRecording().prefetched, saver.app.pictureList[0]) << "the first picture decodes ahead";
    EXPECT_EQ(TheRecording().devicesAtPrefetch, devices) << "while the device is made";
    Window(Msg::Timer, SlideTimerId);
    EXPECT_TRUE(saver.app.advancePending);
    Window(Msg::Destroy);
    EXPECT_TRUE(recording.activeTimers.empty());
}

// Every monitor shows the picture and the overlay laid out for its own
// size; each size decodes once; the devices are made in turn and the earlier
// ones reset after the last; a monitor added or removed has the screens made
// again at the next tick; closing releases every device, then the further
// monitors' windows go.
TEST_F(SaverWindowTest, EveryMonitorShowsThePictureForItsOwnSize)
{
    StartFromHome("/s");
    recording.windows = {Saver};
    fs::create_directories(home / "images");
    WriteFile("images/cached.jpg", jpegbytes::JpegText(800, 600));
    static int opened, closed;
    opened = closed = 0;
    saver.openFurtherScreens = [](SaverContext&) {
        ++opened;
        return std::vector<FurtherScreen>{{{nullptr, 1, 1024, 768}, 1024, 768}, {{nullptr, 2}, 1920, 1080}};
    };
    saver.closeFurtherScreens = [](SaverContext&, const std::vector<WindowHandle>& windows) {
        closed += static_cast<int>(windows.size());
    };
    recording.windowDpi = 192;
    TheRecording().deviceLife.clear();
    Window(Msg::Create);
    ASSERT_EQ(saver.app.Devices().size(), 3u);
    EXPECT_EQ(TheRecording().deviceLife,
              (std::vector<std::string>{"create 0", "create 1", "create 2", "reset 0", "reset 1"}));
    EXPECT_EQ(TheRecording().decodes, 2) << "1920x1080 twice and 1024x768 once";
    auto drawnOnEvery = [] {
        auto drawn = [](const Rect& rect, const std::string& texture) {
            return std::any_of(TheRecording().calls.begin(), TheRecording().calls.end(), [&](const DrawCall& call) {
                return call.kind == DrawCall::Kind::Quad && call.rect == rect && call.texture.find(texture) != std::string::npos;
            });
        };
        for (const Rect& screen : {Rect{0, 0, 1920, 1080}, Rect{0, 0, 1024, 768}}) {
            EXPECT_TRUE(drawn(screen, "cached.jpg")) << "the picture fills " << screen.right << "x" << screen.bottom;
            EXPECT_TRUE(drawn(OverlayLayout::Bar(screen.bottom, 2.0), "OverlayLogo 162")) << "the bar on " << screen.bottom;
        }
    };
    drawnOnEvery();
    // The saver window moves to a monitor of 144 dpi: only its own device follows.
    Window(Msg::DpiChanged, MessageParam{144} << 16);
    EXPECT_EQ(saver.app.Devices()[0]->OverlayScale(), 1.5);
    EXPECT_EQ(saver.app.Devices()[1]->OverlayScale(), 2.0);

    // A monitor came or went (seen at a frame tick, as under wine, which
    // sends no WM_DISPLAYCHANGE then): every screen is made again, each
    // showing the picture.
    TheRecording().calls.clear();
    TheRecording().deviceLife.clear();
    Window(Msg::DisplayChange);
    EXPECT_TRUE(recording.coverings.empty()) << "the layout is the same";
    recording.displayLayout = 2;
    Window(Msg::Timer, FrameTimerId);
    EXPECT_EQ(recording.coverings, std::vector<WindowHandle>{Saver});
    EXPECT_EQ(closed, 2);
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(TheRecording().deviceLife,
              (std::vector<std::string>{"create 0", "create 1", "create 2", "reset 0", "reset 1"}));
    ASSERT_EQ(saver.app.Devices().size(), 3u);
    drawnOnEvery();

    Window(Msg::Destroy);
    EXPECT_EQ(TheRecording().texturesAlive, 0);
    EXPECT_EQ(closed, 4);
}

// Each device's overlay follows its own adapter's monitor, the first one's
// too (the saver window spans them all, so its own monitor tells nothing).
TEST_F(SaverWindowTest, EachMonitorScalesByItsOwnDpi)
{
    struct Case {
        int first, second;
        double firstScale, secondScale;
    };
    for (const Case& c : {Case{192, 96, 2.0, 1.0}, Case{96, 192, 1.0, 2.0}}) {
        StartAfresh();
        recording.windowDpi = 144; // what the window spanning both would say
        TheRecording().adapterDpi = {{0, c.first}, {1, c.second}};
        saver.openFurtherScreens = [](SaverContext&) {
            return std::vector<FurtherScreen>{{{nullptr, 1}, 1024, 768}};
        };
        Window(Msg::Create);
        const auto devices = saver.app.Devices();
        ASSERT_EQ(devices.size(), 2u);
        EXPECT_EQ(devices[0]->OverlayScale(), c.firstScale) << c.first << " dpi on the first monitor";
        EXPECT_EQ(devices[1]->OverlayScale(), c.secondScale) << c.second << " dpi on the second";
        Window(Msg::Destroy);
    }
}

TEST_F(SaverWindowTest, PreviewStartsNothing)
{
    StartFromHome("/p 1234");
    Window(Msg::Create);
    EXPECT_TRUE(saver.mode.PreviewMode);
    EXPECT_TRUE(recording.armed.empty());
    saver.app.advancePending = false;
    Window(Msg::Timer, SlideTimerId);
    EXPECT_FALSE(saver.app.advancePending) << "ticks do nothing in the preview";
    Window(Msg::Destroy);
    EXPECT_TRUE(recording.killed.empty());
}

// DxDiag only confirms once the libraries pass, so it begins after the
// device and the first frames show the picture; its refusal then releases
// the device (a full-screen device would hide the box), tells the user the
// same way and leaves the window black and inert as a refusal before the
// device does. Input while the box is up waits for it; after it, a move
// counts from where the user left the cursor.
TEST_F(SaverWindowTest, OldDirectXLeavesTheWindowInert)
{
    struct Case {
        const char* when;
        std::vector<int> helperWaits; // the libraries' and DxDiag's: done at once (0) or at the nth wait
    };
    for (const Case& c : {Case{"DxDiag done at once", {0, 0}}, Case{"DxDiag done a while later", {0, 3}}}) {
        SCOPED_TRACE(c.when);
        StartAfresh();
        recording.helperWaits = c.helperWaits;
        recording.dxLetter = 'b';
        const int devices = TheRecording().devicesCreated;
        recording.whileBoxUp = [] {
            recording.cursor = PlatformPoint{500, 500};
            for (unsigned input : {Msg::MouseMove, Msg::LButtonDown, Msg::KeyDown}) HostWindowProc(saver, Saver, input, 0, 0);
        };
        Window(Msg::Create);
        ASSERT_EQ(recording.boxes.size(), 1u);
        EXPECT_FALSE(recording.boxes[0].deviceHeld) << "the device went before the box showed";
        EXPECT_EQ(recording.CountPosted(Msg::Close), 0) << "input at the box waits for it";
        EXPECT_EQ(recording.boxes[0].caption, "Wrong DirectX version");
        EXPECT_EQ(recording.boxes[0].text.find("DirectX 9.0c or higher required ("), 0u);
        EXPECT_EQ(recording.boxes[0].owner, nullptr);
        EXPECT_EQ(recording.boxes[0].kind, BoxKind::Error);
        EXPECT_TRUE(recording.activeTimers.empty()) << "inert";
        EXPECT_TRUE(recording.sent.empty()) << "the saver is not ended";
        EXPECT_EQ(TheRecording().devicesCreated - devices, 1);
        const auto& calls = TheRecording().calls;
        EXPECT_TRUE(std::any_of(calls.begin(), calls.end(), [](const DrawCall& call) {
            return call.kind == DrawCall::Kind::Text && call.font == FontKind::Heading;
        })) << "the first frames came before the message";
        ASSERT_GE(calls.size(), 2u);
        EXPECT_EQ(calls[calls.size() - 2].kind, DrawCall::Kind::Clear) << "then the screen goes black";
        EXPECT_EQ(calls.back().kind, DrawCall::Kind::Present);
        Window(Msg::MouseMove);
        EXPECT_EQ(recording.CountPosted(Msg::Close), 0) << "the cursor is where the user left it";
        recording.cursor = PlatformPoint{510, 500};
        Window(Msg::MouseMove);
        EXPECT_EQ(recording.CountPosted(Msg::Close), 1) << "then input ends the saver";
        Window(Msg::Destroy);
    }
}

// Input while starting up (the DirectX check's helper threads, the device,
// the controller's steps) ends the start-up and closes the saver the usual
// way: no device, no timers. A check the libraries already fail is waited
// for and told first (a DxDiag that never ends for 15 s, with what the
// libraries found); one that can still pass is not waited for.
TEST_F(SaverWindowTest, InputDuringStartUpClosesAtOnce)
{
    struct Case {
        const char* when;
        std::vector<int> helperWaits; // the libraries' and DxDiag's: done at once (0), at the nth wait, never (-1)
        char dxLetter;
        bool direct3d9Loads;
        bool inputQueued;
        int runForSeconds; // the deadline passes while the check runs
        bool told;
        bool leftRunning;
    };
    const Case cases[] = {
        {"the DirectX check never ends", {-1, -1}, 'c', true, false, 1, false, true},
        {"the libraries passed, DxDiag not begun", {0, -1}, 'b', true, true, 0, false, false},
        {"the libraries pass after the input", {2, 2}, 'c', true, true, 0, false, false},
        {"d3d9.dll doesn't load, DxDiag ends after the input", {0, 2}, 'c', false, true, 0, true, false},
        {"d3d9.dll doesn't load, DxDiag never ends", {0, -1}, 'c', false, true, 0, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.when);
        ResetPlatformRecording();
        StartFromHome("/s");
        recording.windows = {Saver};
        recording.helperWaits = c.helperWaits;
        recording.dxLetter = c.dxLetter;
        recording.direct3d9Loads = c.direct3d9Loads;
        recording.inputQueued = c.inputQueued;
        saver.options.runForSeconds = c.runForSeconds;
        const int devices = TheRecording().devicesCreated;
        HostWindowProc(saver, Saver, Msg::Create, 0, 0);
        EXPECT_EQ(recording.CountPosted(Msg::Close), 1);
        ASSERT_EQ(recording.boxes.size(), c.told ? 1u : 0u);
        if (c.told) {
            EXPECT_EQ(recording.boxes[0].caption, "Wrong DirectX version");
            EXPECT_EQ(recording.boxes[0].text.find("DirectX 9.0c or higher required ("), 0u);
        }
        EXPECT_EQ(TheRecording().devicesCreated, devices);
        EXPECT_EQ(recording.CountArmed(FrameTimerId) + recording.CountArmed(SlideTimerId), 0);
        EXPECT_EQ(saver.host.deviceLeftToExit, c.leftRunning) << "the process then ends without waiting for it";
        HostWindowProc(saver, Saver, Msg::Destroy, 0, 0);
        EXPECT_EQ(recording.quitPosts, 1);
    }

    // The controller's own steps: nothing drawn, no timers, and it says so.
    ResetPlatformRecording();
    ResetRecording();
    saver.host.mainWindow = Saver;
    recording.inputQueued = true;
    EXPECT_EQ(saver.app.StartShowing(Saver), 1);
    EXPECT_TRUE(CallsOf(DrawCall::Kind::Present).empty());
    EXPECT_TRUE(recording.armed.empty());
}

// A repaint means the screen lost what the frames left there: the next tick
// draws and presents the whole frame, though nothing in it changed.
TEST_F(SaverWindowTest, RepaintHasTheNextTickDrawTheWholeFrame)
{
    StartFromHome("/s");
    recording.windows = {Saver};
    HostWindowProc(saver, Saver, Msg::Create, 0, 0);
    ResetRecording();
    Window(Msg::Timer, FrameTimerId);
    EXPECT_TRUE(TheRecording().calls.empty()) << "nothing changed: nothing drawn";
    HostWindowProc(saver, Saver, Msg::Paint, 0, 0);
    Window(Msg::Timer, FrameTimerId);
    const auto presents = CallsOf(DrawCall::Kind::Present);
    ASSERT_EQ(presents.size(), 1u);
    EXPECT_EQ(presents[0].rect, (Rect{0, 0, saver.screens.First().ScreenWidth(), saver.screens.First().ScreenHeight()}));
    HostWindowProc(saver, Saver, Msg::Destroy, 0, 0);
}

TEST_F(SaverWindowTest, EveryMessageEndsInTheHostDefault)
{
    StartFromHome("/p 1234");
    for (unsigned message : {Msg::Create, Msg::Timer, Msg::Destroy, Msg::Paint}) Window(message);
    ASSERT_EQ(recording.defaulted.size(), 4u);
    EXPECT_EQ(recording.defaulted[0].message, Msg::Create);
    EXPECT_EQ(recording.defaulted[3].message, Msg::Paint);
}

} // namespace
