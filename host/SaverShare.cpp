// Leading or following the other hacks on the same cache folder: the
// leader publishes each answer it acts on; a follower shows the leader's
// picture, captions, table and countdown, and takes over when the leader ends.

#include "host/SaverApp.h"
#include "platform/Paths.h"
#include "render/RenderDevice.h"
#include "slideshow/CacheRules.h"
#include "slideshow/SlideRules.h"

#include <algorithm>

void SaverApp::PublishAnswer()
{
    if (!share.Leading())
        return;
    SharedAnswer answer;
    answer.info = infoStore;
    answer.picture = LastPathComponent(shownPicture);
    answer.advanced = lastAdvanceTime;
    answer.refreshSeconds = refreshSeconds;
    share.Publish(answer);
}

void SaverApp::FollowLeader()
{
    SharedAnswer answer;
    if (share.ReadChanged(answer) != 0)
        return;
    infoStore = answer.info;
    lastAdvanceTime = answer.advanced;
    refreshSeconds = answer.refreshSeconds;
    // Only a picture of the folder itself, never a path that leads out of it.
    if (!IsCachedPictureName(answer.picture) || LastPathComponent(answer.picture) != answer.picture)
        return;
    const std::string path = JoinPath(share.Folder(), answer.picture);
    if (shownPicture != path)
        ShowPicture(path);
    if (std::find(pictureList.begin(), pictureList.end(), path) == pictureList.end())
        pictureList.push_back(path);
}

void SaverApp::KeepFollowing()
{
    if (!share.TryLead()) {
        FollowLeader();
        return;
    }
    // The leader is gone: carry on from its last answer, log in once, and
    // take the next step when the leader would have taken it.
    FollowLeader();
    if (StepSource(window) == AnswerFrom::Service)
        Login();
    else
        loginDeferred = !answers.Offline();
    const int64_t dueSeconds = lastAdvanceTime + refreshSeconds - PlatformNow();
    const int64_t dueMs = std::clamp<int64_t>(dueSeconds * 1000, FramePeriodMs, SlidePeriodMs());
    PlatformSetTimer(window, SlideTimerId, static_cast<uint32_t>(dueMs));
    PublishAnswer();
}
