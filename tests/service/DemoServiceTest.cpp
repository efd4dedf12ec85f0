// The service client against the demo service: members, guests, CR LF
// answers, error statuses, collisions and broken pictures as the real
// service might send them.

#include "DemoPictures.h"
#include "DemoService.h"
#include "service/ServiceClient.h"
#include "settings/MemberCode.h"

#include "tests/settings/SettingsTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// The demo pictures are drawn once for all tests of this program.
class DemoFolder : public ::testing::Environment {
public:
    void SetUp() override
    {
        root = fs::temp_directory_path() / ("zembria-demo-test-" + std::to_string(::getpid()));
        fs::create_directories(root / "pictures");
        ASSERT_EQ(WriteDemoPictures((root / "pictures").string()), 0);
    }
    void TearDown() override { fs::remove_all(root); }
    static fs::path root;
};
fs::path DemoFolder::root;
const auto* demoFolder = ::testing::AddGlobalTestEnvironment(new DemoFolder);

class Demo : public ::testing::Test {
protected:
    void SetUp() override
    {
        config.pictureFolder = (DemoFolder::root / "pictures").string();
        config.members["anna"] = "secret";
        config.logPath = (DemoFolder::root / "requests.log").string();
        cache = DemoFolder::root / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::create_directories(cache);
    }

    ServiceClient& Connected(const std::string& login, const std::string& password)
    {
        service = std::make_unique<DemoService>(config);
        EXPECT_EQ(service->Start(), 0);
        EXPECT_EQ(client.Connect(service->HostPort(), login, password.empty() ? "" : MemberCodeOf(password)), 0);
        return client;
    }

    DemoConfig config;
    std::unique_ptr<DemoService> service;
    ServiceClient client;
    KeyValueList store;
    fs::path cache;
};

} // namespace

TEST_F(Demo, PicturesAreFullHdJpegsThatDiffer)
{
    const auto first = DemoPictureJpeg(0);
    ASSERT_GT(first.size(), 1000u);
    EXPECT_EQ(first[0], 0xFF);
    EXPECT_EQ(first[1], 0xD8);
    for (int index = 1; index < DemoPictureCount; ++index)
        EXPECT_NE(DemoPictureJpeg(index), first) << index;
}

TEST_F(Demo, AcceptsAKnownMemberAndServesTheCurrentPicture)
{
    Connected("anna", "secret");
    ASSERT_EQ(client.FetchInfos(store), 0);
    EXPECT_EQ(store.GetString("MemberLogin", ""), "ok");
    EXPECT_EQ(store.GetString("MemberCollision", ""), "ok");
    const std::string name = store.GetString("ImageFileName", "");
    EXPECT_EQ(name, "demo-1.jpg");
    EXPECT_FALSE(store.GetString("ImageInfoURL", "").empty());
    EXPECT_EQ(store.GetString("DataSeperator1", ""), "hr");

    ASSERT_EQ(client.DownloadPicture(name, cache.string(), 1920, 1080, store), 0);
    EXPECT_EQ(ReadBytes(cache / name), ReadBytes(fs::path(config.pictureFolder) / name));
    const std::string log = ReadBytes(config.logPath);
    EXPECT_NE(log.find("GET /get-images.php?sLogin=anna&sCode=" + MemberCodeOf("secret")), std::string::npos);
}

TEST_F(Demo, RefusesWrongPasswordsStrangersAndGuests)
{
    for (const auto& [login, password] : std::vector<std::pair<std::string, std::string>>{
             {"anna", "wrong"}, {"bert", "secret"}, {"", ""}}) {
        Connected(login, password);
        ASSERT_EQ(client.FetchInfos(store), 0);
        EXPECT_EQ(store.GetString("MemberLogin", ""), "failed") << login;
    }
}

TEST_F(Demo, CrLfAnswersAndCollisionsMeanWhatTheySay)
{
    config.crlf = true;
    config.collision = true;
    Connected("anna", "wrong");
    ASSERT_EQ(client.FetchInfos(store), 0);
    EXPECT_EQ(store.GetString("MemberLogin", ""), "failed");
    EXPECT_EQ(store.GetString("MemberCollision", ""), "failed");
}

TEST_F(Demo, CountsEachMembersRequestsAndCallsABusyMemberACollision)
{
    config.members["bert"] = "other";
    config.collisionOver = 4;
    Connected("anna", "secret");
    ServiceClient bert;
    ASSERT_EQ(bert.Connect(service->HostPort(), "bert", MemberCodeOf("other")), 0);
    // One saver's start: its login's two questions (the connection's and the
    // login's) and a picture change's two.
    for (int ask = 1; ask <= 3; ++ask) {
        ASSERT_EQ(client.FetchInfos(store), 0);
        EXPECT_EQ(store.GetString("MemberCollision", ""), "ok") << ask;
    }
    ASSERT_EQ(client.DownloadPicture(store.GetString("ImageFileName", ""), cache.string(), 640, 480, store), 0);
    // A second saver of the same member is one too many; another member is not.
    ASSERT_EQ(client.FetchInfos(store), 0);
    EXPECT_EQ(store.GetString("MemberCollision", ""), "failed");
    ASSERT_EQ(bert.FetchInfos(store), 0);
    EXPECT_EQ(store.GetString("MemberCollision", ""), "ok");

    const auto counts = service->RequestCounts();
    EXPECT_EQ(counts.at("anna").infos, 5);
    EXPECT_EQ(counts.at("anna").pictures, 1);
    EXPECT_EQ(counts.at("bert").infos, 2);
    httplib::Client query("127.0.0.1", service->port);
    const auto answer = query.Get("/demo-counts");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->body, "anna infos 5 pictures 1\nbert infos 2 pictures 0\n");
}

TEST_F(Demo, ErrorStatusFailsTheExchangeAndTheDownload)
{
    config.status500 = true;
    Connected("anna", "secret");
    EXPECT_EQ(client.FetchInfos(store), 1);
    EXPECT_EQ(store.EntryCount(), 0u);
    std::ofstream(cache / "demo-1.jpg") << "cached";
    EXPECT_EQ(client.DownloadPicture("demo-1.jpg", cache.string(), 1920, 1080, store), 1);
    EXPECT_EQ(ReadBytes(cache / "demo-1.jpg"), "cached");
}

TEST_F(Demo, APictureCutShortLeavesTheCachedOne)
{
    config.cutShort = true;
    Connected("anna", "secret");
    std::ofstream(cache / "demo-2.jpg") << "cached";
    EXPECT_EQ(client.DownloadPicture("demo-2.jpg", cache.string(), 1920, 1080, store), 1);
    EXPECT_EQ(ReadBytes(cache / "demo-2.jpg"), "cached");
    EXPECT_EQ(client.DownloadPicture("missing.jpg", cache.string(), 1920, 1080, store), 1);
    EXPECT_FALSE(fs::exists(cache / "missing.jpg"));
}

namespace {
bool inputNow = false;
bool InputNow() { return inputNow; }
} // namespace

TEST_F(Demo, AStalledServiceIsLeftOnInput)
{
    config.stall = true;
    service = std::make_unique<DemoService>(config);
    ASSERT_EQ(service->Start(), 0);
    client.stallTimeoutMs = 300;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(client.Connect(service->HostPort(), "anna", MemberCodeOf("secret")), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));

    client.stallTimeoutMs = 20000;
    client.inputPending = InputNow;
    inputNow = true;
    const auto pressed = std::chrono::steady_clock::now();
    EXPECT_EQ(client.Connect(service->HostPort(), "anna", MemberCodeOf("secret")), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - pressed, std::chrono::milliseconds(500));
}
