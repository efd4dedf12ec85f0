// The login at start-up: connect, ask the service about this member, and
// turn the answer into the first captions, the switch to a guest, or the
// collision notice that ends the saver.

#include "host/ProgramOptions.h"
#include "host/SaverApp.h"
#include "service/CollisionNotice.h"

#include <algorithm>

namespace {

constexpr uint32_t CollisionNoticeMs = 3000;
constexpr int32_t GuestMinimumSeconds = 50;

} // namespace

void SaverApp::Login()
{
    const std::string memberCode = options.GetString("MemberCode", "");
    const std::string memberLogin = options.GetString("MemberLogin", "");
    if (serviceClient.Connect(ServiceHostOption(), memberLogin, memberCode) != 0)
        return;
    serviceClient.FetchInfos(infoStore);

    if (infoStore.GetString("MemberCollision", "ok") == "failed") {
        DrawCollisionNotice(dictionary, screenRect.bottom - screenRect.top);
        PlatformSleep(CollisionNoticeMs);
        // The saver ends as it does on input: through a close request, so the
        // window and the device go down in their usual order after start-up.
        StopTimers();
        PlatformPostMessage(window, Msg::Close, 0, 0);
        return;
    }

    if (infoStore.GetString("MemberLogin", "ok") == "failed") {
        if (memberLogin.empty() && memberCode.empty()) {
            infoStore.SetString("ImageInfoMain", dictionary.GetString("Hint", ""), true);
            infoStore.SetString("ImageInfoSub",
                                dictionary.GetString("WelcomeMessage", "Welcome to the free guest account."), true);
        } else {
            infoStore.SetString("ImageInfoMain", dictionary.GetString("Error", ""), true);
            infoStore.SetString("ImageInfoSub",
                                dictionary.GetString("LoginFailed", "Login failed.") + " " +
                                    dictionary.GetString("UsingGuestAccount", "Using anonymous login."),
                                true);
        }
        options.SetString("MemberLogin", "");
        options.SetString("MemberCode", "");
        refreshSeconds = std::max(refreshSeconds, GuestMinimumSeconds);
        options.SetString("RefreshRate", RefreshRateOption());
        return;
    }

    infoStore.SetString("ImageInfoMain", dictionary.GetString("Hint", ""), true);
    infoStore.SetString("ImageInfoSub",
                        dictionary.GetString("LoggedInAs", "Logged in successfully as") + ": " + memberLogin, true);
}
