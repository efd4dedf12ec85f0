// The saver spends nothing nobody sees: monitors off, a metered connection,
// energy saver. One controller on the recording device and platform (the
// power state and the connection's cost injected, the clock driven) against
// the demo service on 127.0.0.1, which counts what the member asks.

#include "host/SaverApp.h"
#include "host/Screens.h"
#include "render/RenderDevice.h"
#include "settings/MemberCode.h"
#include "tests/slideshow/CacheFiles.h"
#include "tests/support/DemoForAnna.h"
#include "tests/support/RecordingDevice.h"
#include "tests/support/RecordingPlatform.h"

#include <gtest/gtest.h>

#include <ctime>
#include <memory>

namespace fs = std::filesystem;

namespace {

// One saver with its own cache folder, started against the service.
struct Saver {
    explicit Saver(const std::string& service)
    {
        device.Create(DeviceSetup{Window()});
        device.PrepareSurface();
        device.PrepareFonts();
        app.folders.cache = cache.path.string();
        app.serviceHost = service;
        app.options.SetString("MemberLogin", "anna");
        app.options.SetString("MemberCode", MemberCodeOf("secret"));
        app.options.SetString("RefreshRate", "0"); // 10 s
    }
    ~Saver() { device.Release(); }
    WindowHandle Window() { return this; }
    void CachePicture(const fs::path& pictures)
    {
        for (const auto& entry : fs::directory_iterator(pictures))
            if (entry.path().extension() == ".jpg") {
                fs::copy_file(entry.path(), cache.path / entry.path().filename());
                return;
            }
    }
    void Start()
    {
        ASSERT_EQ(app.StartShowing(Window()), 0);
        ASSERT_EQ(app.StartService(Window()), 0);
    }
    // Time runs on as the saver's timers would fire: a frame tick every
    // half second, the slide timer at every interval.
    void Run(int seconds)
    {
        for (int half = 1; half <= 2 * seconds; ++half) {
            if (half % 2 == 0) ++recording.now;
            if (half % (2 * app.refreshSeconds) == 0) app.OnTimer(Window(), SlideTimerId);
            app.OnTimer(Window(), FrameTimerId);
        }
    }

    TempFolder cache;
    Screens screens;
    RenderDevice& device = screens.First();
    SaverApp app{screens};
};

class ThriftTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetPlatformRecording();
        ResetRecording();
        recording.now = static_cast<int64_t>(std::time(nullptr)); // the cache ages are real file times
        service = StartDemoForAnna(pictures.path.string());
        ASSERT_NE(service, nullptr);
    }

    int Infos() { return service->RequestCounts()["anna"].infos; }
    int Pictures() { return service->RequestCounts()["anna"].pictures; }
    static size_t Presents() { return CallsOf(DrawCall::Kind::Present).size(); }

    TempFolder pictures;
    std::unique_ptr<DemoService> service;
};

} // namespace

TEST_F(ThriftTest, WhileEveryMonitorIsOffNothingIsDrawnOrAskedAndTheReturnDrawsWholeAndAsksAtOnce)
{
    Saver saver(service->HostPort());
    saver.Start();
    saver.Run(12);
    const int infos = Infos();
    ASSERT_GT(infos, 0);

    const int pictureRequests = Pictures();
    recording.power = PowerState{false, false};
    saver.app.OnTimer(saver.Window(), FrameTimerId); // the tick that finds them off
    const size_t presents = Presents();
    saver.Run(30);
    EXPECT_EQ(Presents(), presents) << "a frame drawn for a dark screen";
    EXPECT_EQ(Infos(), infos) << "the service asked while nobody looks";
    EXPECT_EQ(Pictures(), pictureRequests);

    recording.power = PowerState{true, false};
    TheRecording().calls.clear();
    saver.app.OnTimer(saver.Window(), FrameTimerId);
    const std::vector<DrawCall> shown = CallsOf(DrawCall::Kind::Present);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front().rect.right, 1920) << "the whole frame";
    EXPECT_EQ(shown.front().rect.bottom, 1080);
    EXPECT_GT(Infos(), infos) << "the step that fell due is taken at once";
}

TEST_F(ThriftTest, AMeteredConnectionOrEnergySaverAsksNothingWhileTheCacheHasAPicture)
{
    struct Row {
        const char* what;
        bool metered;
        bool energySaver;
        bool downloadAnyway;
        bool asks;
    };
    const Row rows[] = {
        {"unmetered", false, false, false, true},
        {"metered", true, false, false, false},
        {"energy saver", false, true, false, false},
        {"metered, downloads allowed", true, false, true, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Saver saver(service->HostPort());
        saver.CachePicture(pictures.path);
        recording.metered = row.metered;
        recording.power = PowerState{true, row.energySaver};
        if (row.downloadAnyway) saver.app.options.SetString("MeteredDownloads", "yes");
        const int before = Infos();
        saver.Start();
        saver.Run(21);
        EXPECT_EQ(Infos() > before, row.asks);
        if (!row.asks) EXPECT_EQ(saver.app.infoStore.GetString("ImageInfoSub", ""), saver.app.pictureList.front()) << "the rotation";
        if (row.energySaver) {
            // A frame a second, each just after the second turns, wherever in the second the tick fell.
            for (const int msIntoSecond : {0, 400, 985}) {
                recording.msIntoSecond = msIntoSecond;
                saver.app.OnTimer(saver.Window(), FrameTimerId);
                const int64_t next = msIntoSecond + recording.activeTimers[FrameTimerId];
                EXPECT_TRUE(next > 1000 && next <= 1050) << "after " << msIntoSecond << " ms: next tick at " << next;
            }
            recording.msIntoSecond = 0;
        } else {
            EXPECT_EQ(recording.activeTimers[FrameTimerId], FramePeriodMs);
        }
        if (row.asks) continue;

        // Neither metered nor in energy saver any more: the next step logs in and asks.
        recording.metered = false;
        recording.power = PowerState{true, false};
        saver.Run(10);
        EXPECT_GE(Infos(), before + 3) << "the login's question and the step's";
        EXPECT_EQ(recording.activeTimers[FrameTimerId], FramePeriodMs);
    }
}

TEST_F(ThriftTest, AMeteredConnectionStillFetchesOnePictureForAnEmptyCache)
{
    recording.metered = true;
    Saver saver(service->HostPort());
    saver.Start();
    const int infos = Infos();
    saver.Run(31);
    EXPECT_EQ(Infos(), infos) << "asked again with a picture in the cache";
    EXPECT_EQ(Pictures(), 1);
    EXPECT_EQ(saver.app.pictureList.size(), 1u);
    EXPECT_EQ(saver.device.Picture().Name(), saver.app.pictureList.front());
}

TEST_F(ThriftTest, StartedWhileTheMonitorsAreOffItLogsInWhenOneComesBack)
{
    Saver saver(service->HostPort());
    saver.CachePicture(pictures.path);
    recording.power = PowerState{false, false};
    saver.Start();
    saver.Run(21);
    EXPECT_EQ(Infos(), 0);

    recording.power = PowerState{true, false};
    saver.Run(1);
    EXPECT_GE(Infos(), 2) << "the login's question and the held step's";
}
