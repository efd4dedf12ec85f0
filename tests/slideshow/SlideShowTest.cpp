// Slide-show steps against a real HTTP server on 127.0.0.1, with the real
// service client, the recording render device and a driven clock.

#include "host/SaverApp.h"
#include "host/Screens.h"
#include "platform/Paths.h"
#include "render/RenderDevice.h"
#include "tests/render/TestPictures.h"
#include "tests/service/TestHttpServer.h"
#include "tests/slideshow/CacheFiles.h"
#include "tests/support/RecordingPlatform.h"

#include <gtest/gtest.h>

#include <ctime>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

namespace fs = std::filesystem;

namespace {

// The real time: the cache's expiry compares it with the files' own times.
const int64_t Now = static_cast<int64_t>(std::time(nullptr));

std::string PictureBytes(uint32_t width)
{
    const std::vector<unsigned char> header = testpictures::JpegHeader(width, 600);
    return std::string(header.begin(), header.end());
}

// What the stand-in service answers; changed by the tests, read by the server thread.
struct ServiceState {
    std::mutex mutex;
    std::string infos;
    int infoStatus = 200;
    std::map<std::string, std::string> pictures;
    int pictureStatus = 200;
    std::function<void()> duringInfos;
    // Counted in the handlers: the server's own log is written after the answer has gone.
    size_t infoRequests = 0;
    size_t pictureRequests = 0;
};

class SlideShow : public ::testing::Test {
protected:
    void SetUp() override
    {
        recording.now = Now;
        recording.armed.clear();
        recording.killed.clear();
        device.PrepareSurface();
        device.PrepareFonts();
        app.options.SetString("ImagePath", cache.path.string());
        app.screenRect = {0, 0, 1280, 1024};
        app.refreshSeconds = 10;
        app.window = &app;

        server.server.Get("/get-infos.php", [this](const httplib::Request&, httplib::Response& response) {
            std::function<void()> during;
            {
                std::lock_guard<std::mutex> lock(service.mutex);
                ++service.infoRequests;
                response.status = service.infoStatus;
                response.set_content(service.infos, "text/plain");
                during = service.duringInfos;
            }
            if (during) {
                during();
            }
        });
        server.server.Get("/get-images.php", [this](const httplib::Request& request, httplib::Response& response) {
            std::lock_guard<std::mutex> lock(service.mutex);
            ++service.pictureRequests;
            const auto found = service.pictures.find(request.get_param_value("sFileName"));
            response.status = found == service.pictures.end() ? 404 : service.pictureStatus;
            if (found != service.pictures.end()) {
                response.set_content(found->second, "image/jpeg");
            }
        });
        server.Start();
    }

    void TearDown() override { device.Release(); }

    void Connect() { ASSERT_EQ(app.serviceClient.Connect(server.HostPort(), "", ""), 0); }

    void Answer(const std::string& infos)
    {
        std::lock_guard<std::mutex> lock(service.mutex);
        service.infos = infos;
    }

    void Serve(const std::string& name, const std::string& bytes)
    {
        std::lock_guard<std::mutex> lock(service.mutex);
        service.pictures[name] = bytes;
    }

    std::string Cached(const std::string& name) const { return JoinPath(cache.path.string(), name); }

    // Puts a picture in the cache folder and on screen, as an earlier step would.
    void Show(const std::string& name)
    {
        cache.Write(name, PictureBytes(800));
        ASSERT_EQ(device.Picture().LoadFile(Cached(name), 1280, 1024), 0);
        app.shownPicture = Cached(name);
    }
    // Nothing on screen, as after a picture that failed to load.
    void Hide()
    {
        device.Picture().Unload();
        app.shownPicture.clear();
    }

    std::string Shown() const { return device.Picture().Name(); }

    size_t InfoRequests()
    {
        std::lock_guard<std::mutex> lock(service.mutex);
        return service.infoRequests;
    }

    size_t PictureRequests()
    {
        std::lock_guard<std::mutex> lock(service.mutex);
        return service.pictureRequests;
    }

    std::string Info(const std::string& key) const { return app.infoStore.GetString(key, "<none>"); }

    // The server outlives the client, whose open connection would otherwise hold up its stop.
    TempFolder cache;
    ServiceState service;
    TestHttpServer server;
    Screens screens;
    RenderDevice& device = screens.First();
    SaverApp app{screens};
};

TEST_F(SlideShow, SameNameKeepsThePicture)
{
    Connect();
    Show("a.jpg");
    Answer("ImageFileName:a.jpg\nImageInfoMain:Harbour\n");
    app.AdvanceSlide();
    EXPECT_EQ(Shown(), Cached("a.jpg"));
    EXPECT_EQ(PictureRequests(), 0u);
    EXPECT_EQ(Info("ImageInfoMain"), "Harbour");
}

TEST_F(SlideShow, NoNameKeepsWhateverIsShown)
{
    Connect();
    Answer("ImageInfoMain:Harbour\n");
    app.AdvanceSlide();
    EXPECT_EQ(Shown(), "");
    Show("a.jpg");
    app.AdvanceSlide();
    EXPECT_EQ(Shown(), Cached("a.jpg"));
    EXPECT_EQ(PictureRequests(), 0u);
}

TEST_F(SlideShow, ANameInsideTheShownNameIsANewPicture)
{
    Connect();
    Show("ba.jpg");
    Answer("ImageFileName:a.jpg\n");
    Serve("a.jpg", PictureBytes(1024));
    app.AdvanceSlide();

    EXPECT_EQ(Shown(), Cached("a.jpg"));
    EXPECT_EQ(app.pictureList, std::vector<std::string>{Cached("a.jpg")});
    EXPECT_EQ(InfoRequests(), 3u); // the probe, then two for a change
    EXPECT_EQ(PictureRequests(), 1u);
}

TEST_F(SlideShow, CacheIsUsedOnlyWhenTheServiceSaysExactlyYes)
{
    Connect();
    cache.Write("b.jpg", PictureBytes(800));
    app.pictureList = {Cached("b.jpg")};
    Serve("b.jpg", PictureBytes(1024));

    Answer("ImageFileName:b.jpg\nImageFileCache:Yes\n");
    app.AdvanceSlide();
    EXPECT_EQ(PictureRequests(), 1u);
    EXPECT_EQ(fs::file_size(cache.path / "b.jpg"), PictureBytes(1024).size());

    Hide();
    Answer("ImageFileName:b.jpg\nImageFileCache:yes\n");
    app.AdvanceSlide();
    EXPECT_EQ(Shown(), Cached("b.jpg"));
    EXPECT_EQ(PictureRequests(), 1u);
    EXPECT_EQ(app.pictureList, std::vector<std::string>{Cached("b.jpg")}); // listed once
}

TEST_F(SlideShow, EmptyListOrMissingFileForcesTheDownload)
{
    Connect();
    Answer("ImageFileName:c.jpg\nImageFileCache:yes\n");
    Serve("c.jpg", PictureBytes(1024));
    cache.Write("c.jpg", PictureBytes(800));
    app.AdvanceSlide(); // the file is there, but the list is empty
    EXPECT_EQ(PictureRequests(), 1u);
    EXPECT_EQ(Shown(), Cached("c.jpg"));

    Answer("ImageFileName:d.jpg\nImageFileCache:yes\n");
    Serve("d.jpg", PictureBytes(1024));
    app.AdvanceSlide(); // listed pictures, but no d.jpg among them
    EXPECT_EQ(PictureRequests(), 2u);
    EXPECT_EQ(Shown(), Cached("d.jpg"));
    EXPECT_EQ(app.pictureList, (std::vector<std::string>{Cached("c.jpg"), Cached("d.jpg")}));
}

TEST_F(SlideShow, FailedDownloadKeepsThePictureAndTheList)
{
    Connect();
    Show("a.jpg");
    app.pictureList = {Cached("a.jpg")};
    Answer("ImageFileName:e.jpg\nImageInfoMain:Lighthouse\n");
    Serve("e.jpg", PictureBytes(1024));
    {
        std::lock_guard<std::mutex> lock(service.mutex);
        service.pictureStatus = 500;
    }
    app.AdvanceSlide();
    EXPECT_EQ(Shown(), Cached("a.jpg"));
    EXPECT_EQ(app.pictureList, std::vector<std::string>{Cached("a.jpg")});
    EXPECT_EQ(Info("ImageInfoMain"), "Lighthouse");
    EXPECT_FALSE(fs::exists(cache.path / "e.jpg"));
}

TEST_F(SlideShow, MissingCachedFileAndFailedDownloadKeepThePicture)
{
    Connect();
    Show("a.jpg");
    app.pictureList = {Cached("a.jpg")};
    Answer("ImageFileName:gone.jpg\nImageFileCache:yes\n"); // neither cached nor served
    app.AdvanceSlide();
    EXPECT_EQ(PictureRequests(), 1u);
    EXPECT_EQ(Shown(), Cached("a.jpg"));
}

TEST_F(SlideShow, CacheHoldsOnlyPlainNames)
{
    Connect();
    fs::create_directories(cache.path / "images");
    app.options.SetString("ImagePath", JoinPath(cache.path.string(), "images"));
    Show("outside.jpg");
    app.pictureList = {Cached("outside.jpg")};
    Hide();
    Answer("ImageFileName:../outside.jpg\nImageFileCache:yes\n");
    app.AdvanceSlide();
    EXPECT_EQ(Shown(), "");
    EXPECT_EQ(PictureRequests(), 0u); // and the download refuses the name too
}

TEST_F(SlideShow, DownloadThatIsNoPictureIsRefusedAndThePictureStays)
{
    Connect();
    Show("a.jpg");
    Answer("ImageFileName:broken.jpg\n");
    Serve("broken.jpg", "<html>not a picture</html>");
    app.AdvanceSlide();
    EXPECT_EQ(Shown(), Cached("a.jpg"));
    EXPECT_TRUE(app.pictureList.empty());
    EXPECT_FALSE(fs::exists(Cached("broken.jpg")));
}

TEST_F(SlideShow, DuringARunTheCacheKeepsItsDaysAndItsBound)
{
    Connect();
    const std::string served = PictureBytes(1024);
    const auto writtenAt = [&](const std::string& name, const std::string& bytes, int64_t when) {
        cache.Write(name, bytes);
        fs::last_write_time(cache.path / name,
                            std::chrono::file_clock::from_sys(std::chrono::system_clock::time_point(std::chrono::seconds(when))));
    };
    writtenAt("expired.jpg", "x", Now - 20 * 86400);
    writtenAt("a.jpg", std::string(1000, 'a'), Now - 3 * 3600);
    writtenAt("b.jpg", std::string(1000, 'b'), Now - 2 * 3600);
    app.pictureList = {Cached("a.jpg"), Cached("expired.jpg"), Cached("b.jpg")};
    app.rotationPos = 2;
    app.lastCacheExpiry = Now;

    // A download: CacheDays applies, and the oldest picture makes room.
    app.cacheLimitBytes = 1000 + served.size();
    Answer("ImageFileName:c.jpg\n");
    Serve("c.jpg", served);
    app.AdvanceSlide();
    EXPECT_EQ(Shown(), Cached("c.jpg"));
    EXPECT_FALSE(fs::exists(cache.path / "expired.jpg"));
    EXPECT_FALSE(fs::exists(cache.path / "a.jpg"));
    EXPECT_EQ(app.pictureList, (std::vector<std::string>{Cached("b.jpg"), Cached("c.jpg")}));
    EXPECT_EQ(app.rotationPos, 0); // still b.jpg next

    // An hour on, without a download: the bound holds again, and the picture
    // on screen stays although it is the oldest.
    writtenAt("c.jpg", served, Now - 5 * 3600);
    app.cacheLimitBytes = served.size();
    recording.now = Now + 3600;
    app.AdvanceSlide();
    EXPECT_EQ(PictureRequests(), 1u);
    EXPECT_TRUE(fs::exists(cache.path / "c.jpg"));
    EXPECT_FALSE(fs::exists(cache.path / "b.jpg"));
    EXPECT_EQ(app.pictureList, std::vector<std::string>{Cached("c.jpg")});
    EXPECT_EQ(app.rotationPos, 0); // b.jpg was next; what followed it comes next
}

TEST_F(SlideShow, WithoutACacheFolderNothingIsWritten)
{
    // No home to keep a cache in: no folder relative to where the saver started.
    TempFolder startedIn;
    const fs::path previous = fs::current_path();
    fs::current_path(startedIn.path);
    app.options.SetString("ImagePath", "");
    Connect();
    Answer("ImageFileName:c.jpg\n");
    Serve("c.jpg", PictureBytes(1024));
    app.PrepareCache();
    app.AdvanceSlide();
    fs::current_path(previous);
    EXPECT_TRUE(fs::is_empty(startedIn.path));
    EXPECT_TRUE(app.pictureList.empty());
    EXPECT_EQ(PictureRequests(), 0u);
}

class Rotation : public SlideShow {
protected:
    void CachePictures()
    {
        for (const char* name : {"1.jpg", "2.jpg", "3.jpg"}) {
            cache.Write(name, PictureBytes(800));
            app.pictureList.push_back(Cached(name));
        }
        app.rotationPos = 0;
    }

    std::vector<std::string> ShownOverSteps(int steps)
    {
        std::vector<std::string> shown;
        for (int i = 0; i < steps; ++i) {
            app.infoStore.SetString("ImageInfoMain", "loading", true); // as the slide tick leaves it
            app.AdvanceSlide();
            shown.push_back(Shown());
            EXPECT_EQ(Info("ImageInfoSub"), Shown());
            EXPECT_EQ(app.infoStore.GetString("ImageInfoMain", ""), "");
        }
        return shown;
    }
};

TEST_F(Rotation, WithoutTheServiceCyclesThroughTheCache)
{
    CachePictures();
    EXPECT_EQ(ShownOverSteps(4), (std::vector<std::string>{Cached("1.jpg"), Cached("2.jpg"), Cached("3.jpg"), Cached("1.jpg")}));
    EXPECT_EQ(InfoRequests(), 0u);
}

TEST_F(Rotation, ASingleCachedPictureStaysLoaded)
{
    Show("1.jpg");
    app.pictureList = {Cached("1.jpg")};
    app.rotationPos = -1; // as start-up leaves a cache of one
    const uint64_t changes = device.Picture().Changes();
    EXPECT_EQ(ShownOverSteps(3), (std::vector<std::string>(3, Cached("1.jpg"))));
    EXPECT_EQ(device.Picture().Changes(), changes);
}

TEST_F(Rotation, ContinuesFromWhereStartUpLeftIt)
{
    CachePictures();
    app.rotationPos = 2;
    EXPECT_EQ(ShownOverSteps(2), (std::vector<std::string>{Cached("3.jpg"), Cached("1.jpg")}));
}

TEST_F(Rotation, AFailedInformationRequestRotatesToo)
{
    Connect();
    CachePictures();
    {
        std::lock_guard<std::mutex> lock(service.mutex);
        service.infoStatus = 500;
    }
    EXPECT_EQ(ShownOverSteps(2), (std::vector<std::string>{Cached("1.jpg"), Cached("2.jpg")}));
}

TEST_F(Rotation, EmptyCacheChangesNothing)
{
    Show("a.jpg");
    app.infoStore.SetString("ImageInfoMain", "loading", true);
    app.AdvanceSlide();
    EXPECT_EQ(Shown(), Cached("a.jpg"));
    EXPECT_EQ(Info("ImageInfoMain"), "loading");
    EXPECT_EQ(app.rotationPos, -1);
}

TEST_F(SlideShow, StepKillsAndReArmsTheSlideTimer)
{
    for (int32_t seconds : {10, 50}) {
        recording.armed.clear();
        recording.killed.clear();
        app.refreshSeconds = seconds;
        app.advancePending = true;
        recording.now = Now + seconds;
        app.AdvanceSlide();

        ASSERT_EQ(recording.killed.size(), 1u);
        EXPECT_EQ(recording.killed[0].id, SlideTimerId);
        ASSERT_EQ(recording.armed.size(), 1u);
        EXPECT_EQ(recording.armed[0].id, SlideTimerId);
        EXPECT_EQ(recording.armed[0].window, app.window);
        EXPECT_EQ(recording.armed[0].milliseconds, static_cast<uint32_t>(seconds) * 1002);
        EXPECT_EQ(app.lastAdvanceTime, Now + seconds);
        EXPECT_FALSE(app.advancing);
        EXPECT_FALSE(app.advancePending);
    }
}

TEST_F(SlideShow, WhileAStepRunsTheSlideTimerIsOffAndTicksAreIgnored)
{
    Connect();
    Answer("ImageFileName:\n");
    bool advancingDuringStep = false;
    size_t killedDuringStep = 0;
    size_t armedDuringStep = 0;
    {
        std::lock_guard<std::mutex> lock(service.mutex);
        // Runs on the server's thread while the step waits for the answer.
        service.duringInfos = [&] {
            advancingDuringStep = app.advancing;
            killedDuringStep = recording.killed.size();
            armedDuringStep = recording.armed.size();
            app.OnTimer(app.window, SlideTimerId);
        };
    }
    app.AdvanceSlide();

    EXPECT_TRUE(advancingDuringStep);
    EXPECT_EQ(killedDuringStep, 1u);
    EXPECT_EQ(armedDuringStep, 0u);
    EXPECT_FALSE(app.advancePending); // the tick during the step didn't announce another
    EXPECT_EQ(Info("ImageInfoMain"), "<none>");
}

} // namespace
