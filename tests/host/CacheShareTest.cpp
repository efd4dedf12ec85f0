// Two hacks on one cache folder, as xscreensaver runs one per monitor: two
// controllers in one process on recording devices, the real file lock and
// the demo service on 127.0.0.1, which counts what each member asks.

#include "host/CacheShare.h"
#include "host/SaverApp.h"
#include "host/Screens.h"
#include "platform/FileLock.h"
#include "platform/OwnFile.h"
#include "platform/Paths.h"
#include "render/RenderDevice.h"
#include "service/InfoAnswer.h"
#include "settings/MemberCode.h"
#include "tests/slideshow/CacheFiles.h"
#include "tests/support/DemoForAnna.h"
#include "tests/support/RecordingPlatform.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <memory>
#include <thread>

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

struct Hack {
    explicit Hack(const std::string& cache, const std::string& service)
    {
        device.PrepareSurface();
        device.PrepareFonts();
        app.folders.cache = cache;
        app.serviceHost = service;
        app.options.SetString("MemberLogin", "anna");
        app.options.SetString("MemberCode", MemberCodeOf("secret"));
        app.share.UseLock(PlatformTryLockFile, PlatformUnlockFile, PlatformReadOwnFile);
    }
    ~Hack() { device.Release(); }
    WindowHandle Window() { return this; }
    void Start()
    {
        ASSERT_EQ(app.StartShowing(Window()), 0);
        ASSERT_EQ(app.StartService(Window()), 0);
    }
    void Frame() { app.OnTimer(Window(), FrameTimerId); }
    void Step()
    {
        app.OnTimer(Window(), SlideTimerId);
        Frame();
    }
    std::string Shown() const { return device.Picture().Name(); }
    std::string Caption() const { return app.infoStore.GetString("ImageInfoSub", "<none>"); }

    Screens screens;

    RenderDevice& device = screens.First();
    SaverApp app{screens};
};

class CacheShareTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetPlatformRecording();
        recording.now = static_cast<int64_t>(std::time(nullptr)); // the cache ages are real file times
        service = StartDemoForAnna(pictures.path.string());
        ASSERT_NE(service, nullptr);
    }

    DemoService::Counts Asked() { return service->RequestCounts()["anna"]; }

    // The demo's picture changes every second: waits for the next one.
    void WaitForNextPicture(const std::string& shown)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (shown.find(service->CurrentPicture()) != std::string::npos && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }

    TempFolder pictures;
    TempFolder cache;
    std::unique_ptr<DemoService> service;
};

} // namespace

TEST(SharedAnswer, RoundTripsAnyTextAndRefusesWhatIsCutShort)
{
    SharedAnswer answer;
    answer.info.AddPair("ImageInfoSub", "tab\there\r\nback\\slash");
    answer.info.AddPair("Data1", "");
    answer.info.AddPair("Data1", "twice");
    answer.picture = "demo_2.jpg";
    answer.advanced = 1'700'000'123;
    answer.refreshSeconds = 50;
    const std::string text = FormatSharedAnswer(answer);

    SharedAnswer read;
    ASSERT_EQ(ParseSharedAnswer(text, read), 0);
    EXPECT_EQ(FormatSharedAnswer(read), text);
    EXPECT_EQ(read.info.GetString("ImageInfoSub", ""), "tab\there\r\nback\\slash");
    EXPECT_EQ(read.picture, "demo_2.jpg");
    EXPECT_EQ(read.advanced, 1'700'000'123);
    EXPECT_EQ(read.refreshSeconds, 50);

    for (const std::string& broken : std::vector<std::string>{text.substr(0, text.size() - 4), std::string(), "zembria-answer 1\nend\n",
                                      "other\n" + text.substr(text.find('\n') + 1)}) {
        SharedAnswer kept = read;
        EXPECT_EQ(ParseSharedAnswer(broken, kept), 1) << broken;
        EXPECT_EQ(kept.picture, "demo_2.jpg");
    }
}

TEST(SharedAnswer, KeepsNoMoreThanTheServicesAnswerCouldGive)
{
    // Anyone's text may lie under the answer's name: a picture is taken only
    // by a plain name, and entries and lengths stay within the service's bounds.
    struct Case {
        std::string picture;
        std::string kept;
    };
    const Case cases[] = {{"demo-1.jpg", "demo-1.jpg"}, {"../../secret.jpg", ""}, {"/etc/x.jpg", ""},
                          {"a b.jpg", ""},              {"notes.txt", ""},         {std::string(101, 'a') + ".jpg", ""}};
    const std::string longText(5000, 'v');
    for (const Case& c : cases) {
        std::string text = "zembria-answer 1\npicture\t" + c.picture + "\ninterval\t10\n";
        for (size_t i = 0; i < MaxAnswerEntries + 500; ++i)
            text += "info\t" + longText + std::to_string(i) + "\t" + longText + "\n";
        SharedAnswer read;
        ASSERT_EQ(ParseSharedAnswer(text + "end\n", read), 0) << c.picture;
        EXPECT_EQ(read.picture, c.kept);
        EXPECT_EQ(read.info.EntryCount(), 2 * MaxAnswerEntries);
        long index = 0;
        std::string key, value;
        while (read.info.NextPair(index, key, value) == 0)
            ASSERT_TRUE(key.size() <= MaxInfoValueBytes && value.size() == MaxInfoValueBytes) << key.size();
    }
}

TEST_F(CacheShareTest, OneHackAsksTheOthersFollowAndTakeOverWhenItEnds)
{
    auto leader = std::make_unique<Hack>(cache.path.string(), service->HostPort());
    Hack follower(cache.path.string(), service->HostPort());

    // The first to start leads: one login and one picture change between both.
    leader->Start();
    follower.Start();
    EXPECT_EQ(leader->app.share.Role(), ShareRole::Leader);
    EXPECT_EQ(follower.app.share.Role(), ShareRole::Follower);
    EXPECT_EQ(Asked().infos, 4) << "the login's two questions and the step's two";
    EXPECT_EQ(Asked().pictures, 1);
    EXPECT_EQ(follower.Shown(), leader->Shown());
    EXPECT_EQ(follower.Caption(), leader->Caption());
    EXPECT_EQ(follower.app.lastAdvanceTime, leader->app.lastAdvanceTime);
    EXPECT_EQ(follower.app.refreshSeconds, leader->app.refreshSeconds);

    // The leader's next picture reaches the follower at its next frame tick;
    // a follower's own slide tick neither asks nor announces.
    WaitForNextPicture(leader->Shown());
    const std::string before = leader->Shown();
    leader->Step();
    ASSERT_NE(leader->Shown(), before);
    follower.Step();
    EXPECT_EQ(follower.Shown(), leader->Shown());
    EXPECT_EQ(follower.Caption(), leader->Caption());
    EXPECT_EQ(follower.app.infoStore.GetString("Data1", "<none>"), leader->app.infoStore.GetString("Data1", ""));
    EXPECT_EQ(Asked().infos, 6);
    EXPECT_EQ(Asked().pictures, 2);

    // A follower never deletes, however old the cache has grown: not at its
    // start (xscreensaver starting a hack anew), not at its ticks.
    recording.now += 30 * 86400;
    {
        Hack late(cache.path.string(), service->HostPort());
        late.Start();
        late.Step();
        EXPECT_EQ(late.app.share.Role(), ShareRole::Follower);
        EXPECT_EQ(late.Shown(), leader->Shown());
    }
    follower.Step();
    EXPECT_TRUE(fs::exists(before)) << "a follower expired " << before;
    EXPECT_EQ(Asked().infos, 6);

    // The leader ends: the follower takes the lock at its next tick, logs in
    // once, and carries on at the step the leader would have taken.
    leader.reset();
    follower.Frame();
    EXPECT_EQ(follower.app.share.Role(), ShareRole::Leader);
    EXPECT_EQ(Asked().infos, 8) << "one login";
    ASSERT_FALSE(recording.armed.empty());
    EXPECT_EQ(recording.armed.back().window, follower.Window());
    EXPECT_EQ(recording.armed.back().id, SlideTimerId) << "its next step is due already";
    EXPECT_EQ(recording.armed.back().milliseconds, FramePeriodMs);
    WaitForNextPicture(follower.Shown());
    const std::string last = follower.Shown();
    follower.Step();
    EXPECT_NE(follower.Shown(), last);
    EXPECT_EQ(Asked().infos, 10);
    EXPECT_EQ(Asked().pictures, 3);
    // Now it keeps the folder: the old pictures go, the one on screen stays.
    EXPECT_FALSE(fs::exists(before));
    EXPECT_TRUE(fs::exists(follower.Shown()));
}

TEST_F(CacheShareTest, WhereNoLockCanBeTakenEachSaverWorksAloneAndSaysSoOnce)
{
    // Something other than a plain file of ours at the lock's place (here a
    // FIFO, which flock would lock as well) stands for a file system without locks.
    ASSERT_EQ(mkfifo((cache.path / CacheLockName).c_str(), 0600), 0);
    Hack alone(cache.path.string(), service->HostPort());
    ::testing::internal::CaptureStderr();
    alone.Start();
    WaitForNextPicture(alone.Shown());
    alone.Step();
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(alone.app.share.Role(), ShareRole::Alone);
    EXPECT_EQ(Asked().infos, 6) << "it asks the service itself";
    EXPECT_NE(said.find("zembria: can't lock " + cache.path.string()), std::string::npos) << said;
    EXPECT_EQ(said.find("can't lock"), said.rfind("can't lock")) << said;
}
