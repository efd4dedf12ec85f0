// One slide-show step: ask the service which picture it shows and show it,
// from the cache when allowed, downloaded otherwise; without the service,
// show the next cached picture. Then wait one interval for the next step.

#include "host/SaverApp.h"
#include "platform/Paths.h"
#include "render/RenderDevice.h"
#include "service/PictureDownload.h"
#include "slideshow/NativePath.h"
#include "slideshow/SlideRules.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

int Width(const ScreenRect& screen) { return screen.right - screen.left; }
int Height(const ScreenRect& screen) { return screen.bottom - screen.top; }

std::string ShownPicturePath()
{
    const TextureHandle* picture = renderDevice.pictureHandle;
    return picture != nullptr ? picture->Name() : std::string();
}

// Checked before a cache load: a load that fails takes the picture off the
// screen, and a download that then fails too would leave it blank.
bool IsFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(PathFromText(path), error);
}

// 0 when the picture loaded; every load replaces what was shown.
long ShowPicture(const std::string& path, const ScreenRect& screen)
{
    TextureHandle* picture = renderDevice.pictureHandle;
    if (picture == nullptr) {
        return 1;
    }
    return picture->LoadFile(path, Width(screen), Height(screen));
}

void ShowServicePicture(SaverApp& app)
{
    KeyValueList& info = app.infoStore;
    const std::string name = info.GetString("ImageFileName", "");
    if (ServiceShowsSamePicture(ShownPicturePath(), name)) {
        return;
    }
    const std::string directory = app.options.GetString("ImagePath", "images");
    const std::string cached = JoinPath(directory, name);
    // Only a plain file name can name a picture in the cache, never one elsewhere.
    if (info.GetString("ImageFileCache", "no") == "yes" && !app.pictureList.empty() && IsPlainFileName(name)
        && IsFile(cached) && ShowPicture(cached, app.screenRect) == 0) {
        return;
    }

    // Ask again so the captions belong to the picture that is downloaded.
    app.serviceClient.FetchInfos(info);
    const std::string fileName = info.GetString("ImageFileName", "");
    if (app.serviceClient.DownloadPicture(fileName, directory, Width(app.screenRect), Height(app.screenRect), info) != 0) {
        return; // the picture on screen stays
    }
    const std::string path = info.GetString("ImageFullPath", JoinPath(JoinPath(".", "images"), "default.jpg"));
    ShowPicture(path, app.screenRect);
    if (std::find(app.pictureList.begin(), app.pictureList.end(), path) == app.pictureList.end()) {
        app.pictureList.push_back(path);
    }
}

// Without the service: the next cached picture, its path as the caption.
void ShowNextCachedPicture(SaverApp& app)
{
    const long count = static_cast<long>(app.pictureList.size());
    if (app.rotationPos < 0 || app.rotationPos >= count) {
        app.rotationPos = count > 0 ? 0 : -1;
    }
    if (app.rotationPos < 0) {
        return;
    }
    const std::string path = app.pictureList[static_cast<size_t>(app.rotationPos)];
    app.rotationPos = app.rotationPos + 1 < count ? app.rotationPos + 1 : -1;
    app.infoStore.SetString("ImageInfoSub", path, true);
    app.infoStore.SetString("ImageInfoMain", "", true);
    ShowPicture(path, app.screenRect);
}

} // namespace

void SaverApp::AdvanceSlide()
{
    PlatformKillTimer(window, SlideTimerId);
    advancing = true;
    advancePending = false;

    if (serviceClient.IsConnected() && serviceClient.FetchInfos(infoStore) == 0) {
        ShowServicePicture(*this);
    } else {
        ShowNextCachedPicture(*this);
    }

    lastAdvanceTime = PlatformNow();
    advancing = false;
    slideTimer = PlatformSetTimer(window, SlideTimerId, SlidePeriodMs());
}
