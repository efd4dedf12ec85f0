// The controller's start-up, its ticks and timers, and the refresh interval.

#include "host/SaverApp.h"

#include "host/Screens.h"
#include "platform/Paths.h"
#include "render/Overlay.h"
#include "render/RenderDevice.h"
#include "settings/RefreshRate.h"

namespace {

constexpr int BarBitmapId = 162;
constexpr int EmblemBitmapId = 159;

void LoadBitmap(TextureHandle& handle, int resourceId)
{
    handle.LoadResource(resourceId, 0, 0); // size taken from the bitmap
}

// At the energy saver's pace of a frame a second, the frame comes just after
// the second turns: a plain 1000 ms timer drifts later with every tick and
// now and then passes a whole second, so the clocks and the countdown skip it.
uint32_t FrameDelayMs(uint32_t period)
{
    constexpr int64_t AfterTheTurnMs = 20;
    if (period != SparingFramePeriodMs) return period;
    return static_cast<uint32_t>(1000 - PlatformNowMs() % 1000 + AfterTheTurnMs);
}

} // namespace

std::vector<RenderDevice*> SaverApp::Devices() const
{
    return screens.Devices();
}

void SaverApp::PrepareOverlay(RenderDevice& device)
{
    device.PrepareFonts();
    LoadBitmap(device.Bar(), BarBitmapId);
    LoadBitmap(device.Emblem(), EmblemBitmapId);
}

void SaverApp::ScreensRemade()
{
    screenRect = screens.DownloadArea();
    for (RenderDevice* each : Devices()) {
        PrepareOverlay(*each);
        each->LastFrame().valid = false;
    }
    if (!shownPicture.empty()) ShowPicture(shownPicture);
}

int32_t SaverApp::StartShowing(WindowHandle saverWindow)
{
    advancePending = false;
    infoStore.Clear();
    refreshSeconds = 10;

    screenRect = screens.DownloadArea();
    // Each step takes up to a few hundred ms under wine: input in between
    // ends the start-up, so the user isn't kept waiting for the rest.
    if (InputPending()) return 1;

    // The cache always lies in the saver's own folder, also when there is no
    // options file: a relative "images" would let expiry delete pictures in
    // whatever folder the saver was started from. The file's ImagePath is not used.
    if (!folders.options.empty()) options.Load(JoinPath(folders.options, "Zembria.ini"));
    options.SetString("ImagePath", folders.cache);
    for (const auto& [key, value] : optionOverrides) options.SetString(key, value); // this run only
    if (options.GetString("MemberLogin", "").empty()) options.SetString("RefreshRate", RefreshRateOption());
    ReadRefreshInterval();

    dictionary.Load(JoinPath(folders.dictionaries, "dictionary." + options.GetString("Language", "1")));
    serviceClient.SetLanguage(options.GetInt("Language", 1));

    Trace("options and texts read");
    PrepareCache();
    Trace("cache prepared");
    advancing = false;
    if (!pictureList.empty()) {
        // The first picture shows now; the rotation goes on with the second.
        rotationPos = pictureList.size() > 1 ? 1 : -1;
        ShowPicture(pictureList[0]);
        infoStore.SetString("ImageInfoSub", pictureList[0], true);
        Trace("picture loaded");
        // The picture comes first; the overlay's fonts and bar follow.
        for (RenderDevice* each : Devices()) ShowPictureAlone(*each);
        Trace("picture presented");
    }
    if (InputPending()) return 1;
    for (RenderDevice* each : Devices()) PrepareOverlay(*each);
    Trace("fonts and bar made");
    if (InputPending()) return 1;

    // Two frames before any network work: the first shows the start-up text,
    // the second also changes the picture once.
    infoStore.SetString("ImageInfoMain", dictionary.GetString("Initialization", "Initialization"), true);
    advancePending = false;
    OnTimer(saverWindow, FrameTimerId);
    Trace("first frame presented");
    if (InputPending()) return 1;
    infoStore.SetString("ImageInfoMain", dictionary.GetString("Initialization", "Initialization"), true);
    advancePending = true;
    OnTimer(saverWindow, FrameTimerId);
    Trace("second frame presented");
    return InputPending() ? 1 : 0;
}

int32_t SaverApp::StartService(WindowHandle saverWindow)
{

    switch (StepSource(saverWindow)) {
    case AnswerFrom::Service:
        Login();
        PublishAnswer(); // the login's captions
        break;
    case AnswerFrom::Shared:
        FollowLeader();
        break;
    case AnswerFrom::None:
        infoStore.SetString("ImageInfoMain", dictionary.GetString("Hint", "HINT:"), true);
        // Thrift, not the option, keeps the service away: the first step it lets through logs in.
        loginDeferred = !answers.Offline();
        if (answers.Sparing())
            infoStore.SetString("ImageInfoSub", dictionary.GetString("SavingData", "saving data: cached pictures"), true);
        else
            infoStore.SetString("ImageInfoSub", dictionary.GetString("HostNotAvailable", "no connection"), true);
        PublishAnswer();
        break;
    }
    Trace("login or offline hint");
    if (InputPending()) return 1;

    if (rotationPos == -1) {
        advancePending = false;
        OnTimer(saverWindow, FrameTimerId);
        OnTimer(saverWindow, FrameTimerId);
        advancePending = true;
        OnTimer(saverWindow, FrameTimerId);
    }

    if (answers.ForStep() != AnswerFrom::Shared) lastAdvanceTime = PlatformNow(); // a follower counts down with its leader
    framePeriodMs = answers.FramePeriodMs(FramePeriodMs);
    PlatformSetTimer(saverWindow, FrameTimerId, FrameDelayMs(framePeriodMs));
    PlatformSetTimer(saverWindow, SlideTimerId, SlidePeriodMs());
    return 0;
}

void SaverApp::Trace(const char* step) const
{
    if (trace) trace->Step(step);
}

int32_t SaverApp::OnTimer(WindowHandle saverWindow, uint32_t timerId)
{
    window = saverWindow;
    if (timerId == SlideTimerId) {
        if (!advancing && answers.ForStep() != AnswerFrom::Shared && !answers.HoldStep()) AnnounceStep();
        return 0;
    }
    PlatformReadPowerState(saverWindow, answers.power);
    const FrameTurn turn = answers.ForFrame();
    // In energy saver no faster than the countdown and clocks change.
    if (const uint32_t period = answers.FramePeriodMs(FramePeriodMs);
        framePeriodMs != 0 && (period != framePeriodMs || period == SparingFramePeriodMs)) {
        framePeriodMs = period;
        PlatformSetTimer(saverWindow, FrameTimerId, FrameDelayMs(period));
    }
    if (!turn.draw) return 0; // every monitor is off: nobody looks
    if (turn.whole)
        for (RenderDevice* each : Devices()) each->LastFrame().valid = false;
    if (turn.stepNow) AnnounceStep();
    if (turn.from == AnswerFrom::Shared) KeepFollowing();
    int32_t result = DrawFrame();
    if (result != 0) return result;
    if (advancePending) AdvanceSlide();
    return 0;
}

AnswerFrom SaverApp::StepSource(WindowHandle saverWindow)
{
    PlatformReadPowerState(saverWindow, answers.power);
    answers.metered = PlatformConnectionMetered(saverWindow);
    return answers.ForStep();
}

void SaverApp::AnnounceStep()
{
    infoStore.SetString("ImageInfoMain", dictionary.GetString("Loading", "loading"), true);
    infoStore.SetString("ImageInfoSub", "", true);
    advancePending = true;
}

void SaverApp::StopTimers()
{
    framePeriodMs = 0;
    PlatformKillTimer(window, SlideTimerId);
    PlatformKillTimer(window, FrameTimerId);
}

void SaverApp::ReadRefreshInterval()
{
    refreshSeconds = RefreshSecondsOfIndex(options.GetInt("RefreshRate", 3));
}

std::string SaverApp::RefreshRateOption() const
{
    return RefreshIndexText(refreshSeconds);
}

uint32_t SaverApp::SlidePeriodMs() const
{
    return static_cast<uint32_t>(refreshSeconds) * SlidePeriodFactorMs;
}

bool SaverApp::InputPending() const
{
    return serviceClient.inputPending && serviceClient.inputPending();
}
