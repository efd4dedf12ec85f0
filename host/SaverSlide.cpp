// The picture cache at start-up and one slide-show step: ask the service
// which picture it shows and show it, from the cache when allowed,
// downloaded otherwise; without the service, show the next cached picture.
// Then wait one interval for the next step.

#include "host/SaverApp.h"
#include "host/Screens.h"
#include "platform/Paths.h"
#include "render/PictureDecodes.h"
#include "render/RenderDevice.h"
#include "settings/CacheDays.h"
#include "slideshow/PictureCache.h"
#include "slideshow/SlideRules.h"

#include <algorithm>

namespace {

// The start-up always sets ImagePath to an absolute folder; without one (no
// home to keep it in) there is no cache, never one relative to the current folder.
std::string CacheFolder(const KeyValueStore& options)
{
    return options.GetString("ImagePath", "");
}

} // namespace

void SaverApp::PrepareCache()
{
    lastCacheExpiry = PlatformNow();
    // Only the leading hack keeps the folder; a follower only reads it.
    if (share.Join(CacheFolder(options)) == ShareRole::Follower)
        pictureList = ListCacheFolder(CacheFolder(options));
    else
        pictureList = PrepareCacheFolder(CacheFolder(options), CacheDaysOption(options), lastCacheExpiry, cacheLimitBytes);
    rotationPos = pictureList.empty() ? -1 : 0;
}

void SaverApp::ExpireCache()
{
    if (!answers.KeepsTheCache())
        return;
    lastCacheExpiry = PlatformNow();
    const std::string shown = LastPathComponent(shownPicture);
    const std::vector<std::string> deleted =
        ExpireCacheFolder(CacheFolder(options), CacheDaysOption(options), lastCacheExpiry, cacheLimitBytes, shown);
    DropDeletedPictures(pictureList, rotationPos, deleted);
}

long SaverApp::ShowPicture(const std::string& path)
{
    // Each size decodes once, however many monitors show it.
    PictureDecodes decodes;
    long result = 0;
    for (RenderDevice* each : Devices()) {
        const long loaded = each->Picture().LoadFile(path, each->ScreenWidth(), each->ScreenHeight(), &decodes);
        if (each == &screens.First()) result = loaded;
    }
    // A failed load lets go of the picture before it as well.
    shownPicture = result == 0 ? path : std::string();
    return result;
}

void SaverApp::ShowServicePicture()
{
    const std::string directory = CacheFolder(options);
    if (directory.empty())
        return; // nowhere to keep a download
    const PictureChoice choice = ChooseServicePicture(shownPicture, infoStore, directory, !pictureList.empty());
    if (choice.source == PictureSource::Shown)
        return;
    if (choice.source == PictureSource::Cache && ShowPicture(choice.cachePath) == 0)
        return;

    // Ask again so the captions belong to the picture that is downloaded.
    serviceClient.FetchInfos(infoStore);
    const std::string fileName = infoStore.GetString("ImageFileName", "");
    if (serviceClient.DownloadPicture(fileName, directory, ScreenWidth(), ScreenHeight(), infoStore) != 0)
        return; // the picture on screen stays
    const std::string path = infoStore.GetString("ImageFullPath", JoinPath(JoinPath(".", "images"), "default.jpg"));
    ShowPicture(path);
    if (std::find(pictureList.begin(), pictureList.end(), path) == pictureList.end())
        pictureList.push_back(path);
    ExpireCache(); // every new picture may push the cache past its bound
}

// Without the service: the next cached picture, its path as the caption.
void SaverApp::ShowNextCachedPicture()
{
    const RotationStep step = NextInRotation(pictureList.size(), rotationPos);
    rotationPos = step.next;
    if (step.index < 0)
        return;
    const std::string path = pictureList[static_cast<size_t>(step.index)];
    infoStore.SetString("ImageInfoSub", path, true);
    infoStore.SetString("ImageInfoMain", "", true);
    // A cache of one picture comes round to the one on screen at every step:
    // loading it again would only decode it, make its texture anew and
    // redraw the whole screen for the same pixels.
    if (shownPicture == path)
        return;
    ShowPicture(path);
}

void SaverApp::AdvanceSlide()
{
    PlatformKillTimer(window, SlideTimerId);
    advancePending = false;
    const AnswerFrom from = StepSource(window);
    if (from == AnswerFrom::Shared) {
        FollowLeader();
        return;
    }
    advancing = true;
    if (from == AnswerFrom::Service && loginDeferred) {
        loginDeferred = false;
        Login();
    }

    // Unreachable, the service counts as offline: the cache in turn.
    if (from == AnswerFrom::Service && serviceClient.IsConnected() && serviceClient.FetchInfos(infoStore) == 0)
        ShowServicePicture();
    else if (!InputPending()) // input ended the request, and ends the saver: nothing more to show
        ShowNextCachedPicture();
    // Checked at every step, so a saver that runs for days still expires.
    if (CacheExpiryDue(PlatformNow(), lastCacheExpiry, refreshSeconds))
        ExpireCache();

    lastAdvanceTime = PlatformNow();
    advancing = false;
    PlatformSetTimer(window, SlideTimerId, SlidePeriodMs());
    PublishAnswer();
}
