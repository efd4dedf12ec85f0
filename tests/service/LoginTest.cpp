// The login at start-up against a real server on 127.0.0.1: every outcome,
// the collision notice and its ending of the saver, and the texts it falls
// back to.

#include "TestHttpServer.h"
#include "host/SaverApp.h"
#include "host/Screens.h"
#include "render/RenderDevice.h"
#include "render/CollisionNotice.h"
#include "settings/MemberCode.h"
#include "tests/support/RecordingDevice.h"
#include "tests/support/RecordingPlatform.h"

#include <gtest/gtest.h>

namespace {

WindowHandle const saverWindow = reinterpret_cast<WindowHandle>(0x5A5A);

class Login : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetPlatformRecording();
        ResetRecording();
        server.server.Get("/get-infos.php", [this](const httplib::Request&, httplib::Response& response) {
            response.status = status;
            response.set_content(answer, "text/plain");
        });
        server.Start();
        app.serviceHost = server.HostPort();
        app.window = saverWindow;
        device.Create({nullptr, 0, 1920, 1080});
        app.screenRect = ScreenRect{0, 0, 1920, 1080};
        app.infoStore.SetString("ImageInfoMain", "Initialization", true);
        app.infoStore.SetString("ImageInfoSub", "start", true);
    }

    void Member(const std::string& login, const std::string& password)
    {
        app.options.SetString("MemberLogin", login);
        app.options.SetString("MemberCode", password.empty() ? "" : MemberCodeOf(password));
    }

    std::string Main() const { return app.infoStore.GetString("ImageInfoMain", "<none>"); }
    std::string Sub() const { return app.infoStore.GetString("ImageInfoSub", "<none>"); }

    TestHttpServer server;
    std::string answer = "MemberCollision: ok\nMemberLogin: ok\n";
    int status = 200;
    Screens screens;
    RenderDevice& device = screens.First();
    SaverApp app{screens};
};

} // namespace

TEST_F(Login, WithoutServiceLeavesEverythingAsItWas)
{
    app.serviceHost = "127.0.0.1:" + std::to_string(RefusedPort());
    Member("anna", "secret");
    app.Login();
    EXPECT_FALSE(app.serviceClient.IsConnected());
    EXPECT_EQ(Main(), "Initialization");
    EXPECT_EQ(Sub(), "start");
    EXPECT_EQ(app.options.GetString("MemberLogin", ""), "anna");
    EXPECT_TRUE(recording.posted.empty());
}

TEST_F(Login, AcceptedMemberIsGreetedByName)
{
    Member("anna", "secret");
    app.Login();
    EXPECT_TRUE(app.serviceClient.IsConnected());
    EXPECT_EQ(Main(), "<none>"); // the Hint text defaults to empty
    EXPECT_EQ(Sub(), "Logged in successfully as: anna");
    EXPECT_EQ(app.serviceClient.code, MemberCodeOf("secret"));
    EXPECT_EQ(app.refreshSeconds, 10);

    app.dictionary.SetString("Hint", "HINWEIS:");
    app.dictionary.SetString("LoggedInAs", "Angemeldet als");
    app.Login();
    EXPECT_EQ(Main(), "HINWEIS:");
    EXPECT_EQ(Sub(), "Angemeldet als: anna");
}

TEST_F(Login, AFailedExchangeIsNoLogin)
{
    struct Case {
        int status;
        const char* answer;
    };
    // An error status, and a success status with nothing readable.
    for (const Case& failed : {Case{503, "MemberLogin: failed\n"}, Case{200, "\n\n:\n"}}) {
        status = failed.status;
        answer = failed.answer;
        Member("anna", "secret");
        app.options.SetString("RefreshRate", "1");
        app.refreshSeconds = 15;
        app.Login();
        EXPECT_TRUE(app.serviceClient.IsConnected()) << failed.status; // the next slide step asks again
        EXPECT_EQ(Main(), "Initialization") << failed.status;
        EXPECT_EQ(Sub(), "start") << failed.status;
        EXPECT_EQ(app.options.GetString("MemberLogin", ""), "anna") << failed.status;
        EXPECT_EQ(app.options.GetString("MemberCode", ""), MemberCodeOf("secret")) << failed.status;
        EXPECT_EQ(app.options.GetString("RefreshRate", ""), "1") << failed.status;
        EXPECT_EQ(app.refreshSeconds, 15) << failed.status;
    }
}

TEST_F(Login, RefusedGuestGetsTheWelcomeAndAtLeastFiftySeconds)
{
    answer = "MemberLogin: failed\n";
    app.Login();
    EXPECT_EQ(Sub(), "Welcome to the free guest account.");
    EXPECT_EQ(app.refreshSeconds, 50);
    EXPECT_EQ(app.options.GetString("RefreshRate", ""), "3");

    app.refreshSeconds = 60;
    app.Login();
    EXPECT_EQ(app.refreshSeconds, 60);
    EXPECT_EQ(app.options.GetString("RefreshRate", ""), "4");
}

TEST_F(Login, RefusedMemberBecomesAGuestForTheRun)
{
    answer = "MemberLogin: failed\r\n"; // CR LF answers mean what they say
    Member("anna", "wrong");
    app.Login();
    EXPECT_EQ(Main(), "<none>");
    EXPECT_EQ(Sub(), "Login failed. Using anonymous login.");
    EXPECT_EQ(app.options.GetString("MemberLogin", "<empty>"), "<empty>");
    EXPECT_EQ(app.options.GetString("MemberCode", "<empty>"), "<empty>");
    EXPECT_EQ(app.serviceClient.login, "anna"); // the session keeps what it connected with
    EXPECT_EQ(app.refreshSeconds, 50);
    EXPECT_EQ(app.options.GetString("RefreshRate", ""), "3");

    app.dictionary.SetString("Error", "Fehler:");
    app.dictionary.SetString("LoginFailed", "Anmeldung fehlgeschlagen.");
    Member("anna", "wrong");
    app.Login();
    EXPECT_EQ(Main(), "Fehler:");
    EXPECT_EQ(Sub(), "Anmeldung fehlgeschlagen. Using anonymous login.");
}

TEST_F(Login, CollisionShowsOnlyTheNoticeAndEndsTheSaver)
{
    answer = "MemberCollision: failed\nMemberLogin: failed\n";
    Member("anna", "secret");
    app.Login();
    EXPECT_EQ(recording.sleeps, 1);
    EXPECT_EQ(recording.CountPosted(Msg::Close), 1);
    ASSERT_EQ(recording.killed.size(), 2u);
    EXPECT_EQ(recording.killed[0].id, SlideTimerId);
    EXPECT_EQ(recording.killed[1].id, FrameTimerId);
    // The refusal is never acted on.
    EXPECT_NE(Sub(), "Login failed. Using anonymous login.");
    EXPECT_EQ(app.options.GetString("MemberLogin", ""), "anna");
    EXPECT_EQ(app.refreshSeconds, 10);

    // The notice: a red panel a third down the 1080-line screen, then the
    // title and the three lines, each box below the one before, presented.
    const auto quads = CallsOf(DrawCall::Kind::Quad);
    ASSERT_FALSE(quads.empty());
    EXPECT_EQ(quads[0].colour, CollisionPanelColour);
    EXPECT_EQ(quads[0].rect.left, 200);
    EXPECT_EQ(quads[0].rect.top, 355);
    EXPECT_EQ(quads[0].rect.right, 600);
    EXPECT_EQ(quads[0].rect.bottom, 460);
    const auto texts = CallsOf(DrawCall::Kind::Text);
    ASSERT_EQ(texts.size(), 5u);
    const char* expected[] = {" Member Collision:\r\n", " ", "..", "..", ".."};
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i].text, expected[i]) << i;
        EXPECT_GE(texts[i].rect.left, 200) << i;
        if (i > 0) {
            EXPECT_GT(texts[i].rect.top, texts[i - 1].rect.top) << i;
        }
    }
    EXPECT_EQ(texts[0].font, FontKind::Heading);
    EXPECT_EQ(CallsOf(DrawCall::Kind::Present).size(), 1u);
}

TEST(CollisionNotice, FallsBackToTheDefaultTexts)
{
    KeyValueStore dictionary;
    const auto lines = CollisionNoticeLines(dictionary);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].text, " Member Collision:\r\n");
    EXPECT_EQ(lines[0].font, FontKind::Heading);
    EXPECT_EQ(lines[1].text, " ");
    EXPECT_EQ(lines[1].font, FontKind::TextBold);
    for (size_t i = 2; i < 5; ++i)
        EXPECT_EQ(lines[i].text, "..");
    EXPECT_EQ(lines[3].font, FontKind::Text);

    dictionary.SetString("MemberCollision", "Mitglied doppelt");
    dictionary.SetString("MemberCollisionInfo2", "Schon aktiv.");
    EXPECT_EQ(CollisionNoticeLines(dictionary)[0].text, " Mitglied doppelt:\r\n");
    EXPECT_EQ(CollisionNoticeLines(dictionary)[3].text, "Schon aktiv.");
}
