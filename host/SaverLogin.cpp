// The login at start-up: connect, ask the service about this member, and
// carry out what it answered: the first captions, the switch to a guest, or
// the collision notice that ends the saver.

#include "host/SaverApp.h"
#include "render/CollisionNotice.h"
#include "render/RenderDevice.h"
#include "service/LoginOutcome.h"

#include <algorithm>

namespace {

constexpr uint32_t CollisionNoticeMs = 3000;

} // namespace

void SaverApp::Login()
{
    const std::string memberCode = options.GetString("MemberCode", "");
    const std::string memberLogin = options.GetString("MemberLogin", "");
    if (serviceClient.Connect(serviceHost, memberLogin, memberCode) != 0)
        return;
    // An exchange that failed says nothing about this member: the start-up
    // captions stay, the credentials and the interval too, and the client
    // stays connected so the next slide step asks again.
    const KeyValueList startUpInfo = infoStore;
    if (serviceClient.FetchInfos(infoStore) != 0) {
        infoStore = startUpInfo;
        return;
    }

    const LoginOutcome outcome = JudgeLogin(infoStore, memberLogin, memberCode);
    if (outcome == LoginOutcome::Collision) {
        for (RenderDevice* each : Devices()) DrawCollisionNotice(*each, dictionary, each->ScreenHeight());
        PlatformSleep(CollisionNoticeMs);
        // The saver ends as it does on input: through a close request, so the
        // window and the device go down in their usual order after start-up.
        StopTimers();
        PlatformRequestClose(window);
        return;
    }

    const LoginCaptions captions = LoginCaptionsFor(outcome, dictionary, memberLogin);
    infoStore.SetString("ImageInfoMain", captions.main, true);
    infoStore.SetString("ImageInfoSub", captions.sub, true);
    if (outcome != LoginOutcome::Accepted) {
        options.SetString("MemberLogin", "");
        options.SetString("MemberCode", "");
        refreshSeconds = std::max(refreshSeconds, GuestMinimumSeconds);
        options.SetString("RefreshRate", RefreshRateOption());
    }
}
