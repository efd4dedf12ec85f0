#pragma once
// The application controller: owns the options, the texts, the service
// client, the information texts, the picture list and all timing state, and
// sequences the subsystems on the saver window's ticks. The subsystems take
// what they need as arguments and hand back their outcome; only the members
// here touch the timers, the window, sleeping and closing.
//   SaverApp.cpp       start-up, ticks, timers, refresh interval
//   SaverLogin.cpp     the login at start-up
//   SaverSlide.cpp     the picture cache and the slide-show step
//   SaverFrame.cpp     the frame
//   SaverShare.cpp     leading or following the other hacks on the cache folder

#include "host/AnswerSource.h"
#include "host/CacheShare.h"
#include "host/ModeFlags.h"
#include "host/StartupTrace.h"
#include "platform/Platform.h"
#include "render/FrameContent.h"
#include "service/ServiceClient.h"
#include "settings/KeyValueList.h"
#include "settings/KeyValueStore.h"
#include "slideshow/CacheRules.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

constexpr uint32_t FrameTimerId = 1124;
constexpr uint32_t SlideTimerId = 1125;
constexpr uint32_t FramePeriodMs = 500;
constexpr uint32_t SlidePeriodFactorMs = 1002;

using ScreenRect = Rect; // 0, 0, screen width, screen height

class RenderDevice;
class Screens;

class SaverApp {
public:
    // The monitors the saver draws on, which outlive the controller, and the
    // host's one question whether the user wants the saver closed: start-up
    // asks it between its steps, the service client between its reads. Every
    // monitor shows the same, laid out for its own size.
    SaverApp(Screens& screens, std::function<bool()> inputPending = {}) : screens(screens)
    {
        serviceClient.inputPending = std::move(inputPending);
    }
    // Every device, the first monitor's first.
    std::vector<RenderDevice*> Devices() const;
    // The screens were made again (monitors came or went): each gets the
    // fonts, the artwork and the picture on screen, and the next frame is whole.
    void ScreensRemade();

    // Start-up in two parts: the pictures the cache holds on screen (options,
    // texts, cache, the first frames), then the service (login or the offline
    // hint, the timers). 1 when input ended it between its steps (no timers armed).
    int32_t StartShowing(WindowHandle window);
    int32_t StartService(WindowHandle window);
    int32_t OnTimer(WindowHandle window, uint32_t timerId);
    void StopTimers();
    void ReadRefreshInterval();
    std::string RefreshRateOption() const;
    uint32_t SlidePeriodMs() const; // refreshSeconds x 1002 ms

    void PrepareCache();
    void Login();
    void AdvanceSlide();
    int32_t DrawFrame();
    // What a frame drawn at now shows.
    FrameContent FrameContentAt(int64_t now) const;

    Screens& screens;
    KeyValueStore options;
    KeyValueStore dictionary;
    bool advancePending = false;
    int64_t lastAdvanceTime = 0;
    int32_t refreshSeconds = 10;
    ServiceClient serviceClient;
    KeyValueList infoStore;
    std::vector<std::string> pictureList;
    long rotationPos = -1; // index into pictureList, -1 for none
    std::string shownPicture; // the path of the picture on screen, empty for none
    int64_t lastCacheExpiry = 0;
    uint64_t cacheLimitBytes = CacheLimitBytes; // the bound the cache is held to
    ScreenRect screenRect{}; // what downloads ask for and the frame is laid out at: the primary monitor's size
    bool advancing = false;
    bool loginDeferred = false; // a thrifty start-up leaves the login to the first step that asks
    WindowHandle window = nullptr;
    // Given by the host before Start: where the files lie, the service to ask.
    SaverFolders folders;
    std::string serviceHost;
    const StartupTrace* trace = nullptr; // the start-up's steps, when traced
    std::vector<std::pair<std::string, std::string>> optionOverrides; // options file values for this run only
    CacheShare share; // the other hacks on the same cache folder, when the host lets savers share
    AnswerSource answers{share, options, pictureList}; // who answers each step and frame
    uint32_t framePeriodMs = 0; // as the frame timer is armed; 0 before

private:
    void Trace(const char* step) const;
    // Whether the user wants the saver closed: start-up skips its other steps.
    bool InputPending() const;
    void ShowServicePicture();
    void ShowNextCachedPicture();
    // The share: the leader publishes what it shows; a follower shows that
    // and tries to lead at each frame tick.
    void PublishAnswer();
    // Who answers the step about to run, with the connection's cost read now.
    AnswerFrom StepSource(WindowHandle saverWindow);
    // The slide timer's tick: the caption says a picture comes, the next frame tick fetches it.
    void AnnounceStep();
    void FollowLeader();
    void KeepFollowing();
    // Deletes what outlived CacheDays or doesn't fit the bound, never the
    // picture on screen, and takes it out of pictureList.
    void ExpireCache();
    // 0 when the picture loaded; every load replaces what was shown.
    long ShowPicture(const std::string& path);
    // The overlay's fonts and artwork on one device.
    void PrepareOverlay(RenderDevice& device);
    int ScreenWidth() const { return screenRect.right - screenRect.left; }
    int ScreenHeight() const { return screenRect.bottom - screenRect.top; }
};
