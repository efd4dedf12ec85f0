// The service client against a real server on 127.0.0.1: the session probe,
// the information exchange and the picture download with its file rules.

#include "TestHttpServer.h"
#include "platform/FileName.h"
#include "platform/Paths.h"
#include "service/PictureDownload.h"
#include "service/ServiceClient.h"

#include "service/InfoTableRows.h"
#include "tests/settings/SettingsTestSupport.h"
#include "tests/support/JpegHeader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <thread>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const std::string Jpeg = jpegbytes::JpegText(640, 480);

void WriteFile(const fs::path& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

void Answer(httplib::Server& server, const std::string& path, int status, const std::string& body)
{
    server.Get(path, [=](const httplib::Request&, httplib::Response& response) {
        response.status = status;
        response.set_content(body, "text/plain");
    });
}

class Client : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("zembria-service-" + std::to_string(::getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    void ConnectAs(const std::string& login, const std::string& code)
    {
        server.Start();
        ASSERT_EQ(client.Connect(server.HostPort(), login, code), 0);
    }

    // Downloads name into the test folder; the folder keeps only what a
    // finished download put there.
    int Download(const std::string& name)
    {
        return client.DownloadPicture(name, folder.string(), 1280, 1024, store);
    }

    // The picture request the server saw; the probe's log line may come later.
    std::string ImageTarget() const
    {
        for (const std::string& target : server.Targets())
            if (target.rfind("/get-images.php", 0) == 0)
                return target;
        return "";
    }

    std::vector<std::string> FolderNames() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TestHttpServer server;
    ServiceClient client;
    KeyValueList store;
    fs::path folder;
};

} // namespace

TEST_F(Client, ConnectCountsAnyAnswerAndSendsTheInfoUrl)
{
    Answer(server.server, "/get-infos.php", 404, "not here");
    client.SetLanguage(0);
    ConnectAs("a b&c=d", "c0de");
    EXPECT_TRUE(client.IsConnected());
    EXPECT_EQ(client.host, server.HostPort());
    ASSERT_EQ(server.Targets().size(), 1u);
    EXPECT_EQ(server.Targets()[0],
              "/get-infos.php?sLogin=a%20b&c=d&sCode=c0de&sVers=1.0.0&sLang=de&sTransaction=");
}

TEST_F(Client, OddBytesInALoginLeaveAsTheyAreOrPercentEncoded)
{
    ConnectAs("<>\"{|}^`'%\\#\t\xC3\xA9", "c");
    EXPECT_EQ(server.Targets().at(0),
              "/get-infos.php?sLogin=<>\"{|}^`'%\\%23%09%C3%A9&sCode=c&sVers=1.0.0&sLang=en&sTransaction=");
}

TEST_F(Client, ConnectToNothingLeavesTheClientUnconnected)
{
    EXPECT_EQ(client.Connect("127.0.0.1:" + std::to_string(RefusedPort()), "anna", "c0de"), 1);
    EXPECT_FALSE(client.IsConnected());
    EXPECT_EQ(client.host, "");
    EXPECT_EQ(client.login, "anna");
    EXPECT_EQ(client.code, "c0de");
    store.AddPair("kept", "1");
    EXPECT_EQ(client.FetchInfos(store), 1);
    EXPECT_EQ(store.GetString("kept", ""), "1");
}

TEST(ClientLanguage, OnlyZeroAndOneChangeIt)
{
    ServiceClient client;
    EXPECT_EQ(client.language, "en");
    client.SetLanguage(0);
    EXPECT_EQ(client.language, "de");
    client.SetLanguage(2);
    EXPECT_EQ(client.language, "de");
    client.SetLanguage(1);
    EXPECT_EQ(client.language, "en");
}

TEST_F(Client, FetchInfosReplacesTheStoreWithTheAnswer)
{
    Answer(server.server, "/get-infos.php", 200,
           "MemberLogin: failed\r\nImageFileName a.jpg\n\nbroken\nImageFileName: b.jpg\nBlank:   \nLast: x");
    ConnectAs("anna", "c0de");
    store.AddPair("ImageInfoMain", "old");
    ASSERT_EQ(client.FetchInfos(store), 0);
    EXPECT_EQ(store.Find("ImageInfoMain"), KeyValueList::None);
    EXPECT_EQ(store.GetString("MemberLogin", ""), "failed"); // CR LF means what it says
    EXPECT_EQ(store.GetString("ImageFileName", ""), "a.jpg");
    EXPECT_EQ(store.GetString("Last", ""), "x");
    EXPECT_EQ(store.EntryCount(), 5u * 2);
}

TEST_F(Client, FetchInfosFailsOnErrorStatusOrEmptyAnswer)
{
    int status = 500;
    std::string body = "MemberLogin: ok\nImageFileName: error.jpg\n";
    server.server.Get("/get-infos.php", [&](const httplib::Request&, httplib::Response& response) {
        response.status = status;
        response.set_content(body, "text/plain");
    });
    ConnectAs("anna", "c0de");
    for (const int errorStatus : {500, 404}) {
        status = errorStatus;
        store.AddPair("ImageInfoMain", "old");
        EXPECT_EQ(client.FetchInfos(store), 1) << errorStatus;
        EXPECT_EQ(store.EntryCount(), 0u) << errorStatus;
    }
    status = 200;
    body = "\n:::\nnothing\n";
    EXPECT_EQ(client.FetchInfos(store), 1);
    EXPECT_EQ(store.EntryCount(), 0u);
}

TEST_F(Client, FetchInfosKeepsWhatArrivedBeforeTheAnswerBroke)
{
    server.server.Get("/get-infos.php", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content_provider(1000, "text/plain", [](size_t, size_t, httplib::DataSink& sink) {
            sink.write("A: 1\nB: 2\nC", 11);
            return false;
        });
    });
    ConnectAs("anna", "c0de");
    EXPECT_EQ(client.FetchInfos(store), 1);
    EXPECT_EQ(store.GetString("A", ""), "1");
    EXPECT_EQ(store.GetString("B", ""), "2");
    EXPECT_EQ(store.Find("C"), KeyValueList::None);
}

TEST(PictureDirectory, GetsExactlyOneTrailingSeparator)
{
    const std::string images = std::string("images") + PathSeparator;
    EXPECT_EQ(PictureDirectoryPart("images"), images);
    EXPECT_EQ(PictureDirectoryPart(images), images);
    EXPECT_EQ(PictureDirectoryPart(""), std::string(".") + PathSeparator);
}

TEST_F(Client, DownloadStoresTheWholePictureUnderItsName)
{
    const std::string picture = jpegbytes::JpegText(1280, 1024);
    Answer(server.server, "/get-images.php", 200, picture);
    ConnectAs("anna", "c0de");
    ASSERT_EQ(Download("x.jpg"), 0);
    EXPECT_EQ(ReadBytes(folder / "x.jpg"), picture);
    EXPECT_EQ(store.GetString("ImageFullPath", ""), JoinPath(folder.string(), "x.jpg"));
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"x.jpg"});
    EXPECT_EQ(ImageTarget(), "/get-images.php?sLogin=anna&sCode=c0de&sVers=1.0.0&sLang=en&sTransaction="
                                       "&iWidth=1280&iHeight=1024&sFileName=x.jpg");
}

TEST_F(Client, DownloadWithoutANameAsksForNoneAndStoresDefaultJpg)
{
    Answer(server.server, "/get-images.php", 200, Jpeg);
    ConnectAs("anna", "c0de");
    ASSERT_EQ(Download(""), 0);
    EXPECT_EQ(ReadBytes(folder / "default.jpg"), Jpeg);
    const std::string target = ImageTarget();
    EXPECT_EQ(target.substr(target.size() - 11), "&sFileName=");
}

TEST_F(Client, DownloadIntoTheCurrentFolderWhenNoneIsGiven)
{
    Answer(server.server, "/get-images.php", 200, Jpeg);
    ConnectAs("anna", "c0de");
    const fs::path before = fs::current_path();
    fs::current_path(folder);
    const int result = client.DownloadPicture("here.jpg", "", 640, 480, store);
    fs::current_path(before);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(store.GetString("ImageFullPath", ""), std::string(".") + PathSeparator + "here.jpg");
    EXPECT_EQ(ReadBytes(folder / "here.jpg"), Jpeg);
}

TEST_F(Client, AFailedOrRefusedDownloadLeavesTheCachedPictureIntact)
{
    using jpegbytes::JpegText;
    using jpegbytes::Oddity;
    std::string mode;
    const std::map<std::string, std::string> refused{
        {"huge", JpegText(12000, 9000)},
        {"stray", JpegText(60000, 60000, Oddity::StrayByte)},
        {"stuffed", JpegText(60000, 60000, Oddity::StuffedPair)},
        {"png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10\0\0\0\x10\x08\x06\0\0\0", 29)},
        {"text", "<html>captive portal</html>"},
    };
    server.server.Get("/get-images.php", [&](const httplib::Request&, httplib::Response& response) {
        if (refused.count(mode) != 0) {
            response.set_content(refused.at(mode), "image/jpeg");
        } else if (mode == "cut") {
            response.set_content_provider(10000, "image/jpeg", [](size_t, size_t, httplib::DataSink& sink) {
                sink.write(Jpeg.data(), Jpeg.size() / 2);
                return false;
            });
        } else if (mode == "500") {
            response.status = 500;
            response.set_content(Jpeg, "image/jpeg");
        } else if (mode == "404") {
            response.status = 404;
            response.set_content("not found", "text/html");
        } else if (mode == "empty") {
            response.set_content("", "image/jpeg");
        } else if (mode == "big") {
            response.set_content(Jpeg + std::string(5000, 'b'), "image/jpeg");
        } else if (mode == "stall") {
            response.set_content_provider(10000, "image/jpeg", [&](size_t, size_t, httplib::DataSink& sink) {
                sink.write("new", 3);
                server.Hold();
                return false;
            });
        } else if (mode == "trickle") {
            // A byte now and then: never a stall, but never done.
            response.set_content_provider(10000, "image/jpeg", [](size_t offset, size_t, httplib::DataSink& sink) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                return sink.write(Jpeg.data() + offset % Jpeg.size(), 1);
            });
        }
    });
    ConnectAs("anna", "c0de");
    client.pictureCapBytes = 4000;
    client.stallTimeoutMs = 300;
    client.pictureDeadlineMs = 1000;
    WriteFile(folder / "x.jpg", "old picture");
    for (const char* failure : {"cut", "500", "404", "empty", "big", "stall", "trickle", "huge", "stray", "stuffed",
                                "png", "text"}) {
        mode = failure;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(Download("x.jpg"), 1) << failure;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3)) << failure;
        EXPECT_EQ(ReadBytes(folder / "x.jpg"), "old picture") << failure;
        EXPECT_EQ(FolderNames(), std::vector<std::string>{"x.jpg"}) << failure;
    }
}

TEST_F(Client, FetchInfosKeepsAThousandEntriesOfBoundedValues)
{
    std::string body = "Long: " + std::string(1000, 'v') + "\n";
    for (int row = 0; row < 100000; ++row)
        body += "Data" + std::to_string(row) + ": value\n";
    Answer(server.server, "/get-infos.php", 200, body);
    ConnectAs("anna", "c0de");
    ASSERT_EQ(client.FetchInfos(store), 0);
    EXPECT_EQ(store.EntryCount(), 1000u * 2);
    EXPECT_EQ(store.GetString("Long", ""), std::string(256, 'v'));
    EXPECT_EQ(InfoTableRows(store).size(), 40u);
}

TEST_F(Client, ALeftoverTemporaryFileOfAnotherSaverIsLeftAlone)
{
    // Another saver's download under way, where a fixed temporary name would collide.
    Answer(server.server, "/get-images.php", 200, Jpeg);
    ConnectAs("anna", "c0de");
    for (const char* name : {"~download.tmp", "x.jpg.tmp"})
        WriteFile(folder / name, "theirs");
    ASSERT_EQ(Download("x.jpg"), 0);
    EXPECT_EQ(ReadBytes(folder / "x.jpg"), Jpeg);
    EXPECT_EQ(ReadBytes(folder / "~download.tmp"), "theirs");
    EXPECT_EQ(ReadBytes(folder / "x.jpg.tmp"), "theirs");
}

TEST_F(Client, DownloadTakesOnlyPictureNames)
{
    Answer(server.server, "/get-images.php", 200, "evil");
    ConnectAs("anna", "c0de");
    const std::vector<std::string> hostile{
        "../x.jpg", "a/b.jpg", "a\\b.jpg", ".", "..", "...", "c:x.jpg", "x.jpg:stream", "x\n.jpg", "x\x7f.jpg",
        "desktop.ini", "evil.url", "x.scf", "run.exe", "~download.tmp", "x.jpg.", "x.jpg ", " x.jpg", ".x.jpg",
        "-x.jpg", "a b.jpg", "x.jpeg", "CON", "nul.jpg", "Com1.jpg", "lpt9.x.jpg", std::string(97, 'a') + ".jpg"};
    for (const std::string& name : hostile) {
        store.Clear();
        EXPECT_EQ(Download(name), 1) << name;
        EXPECT_EQ(store.Find("ImageFullPath"), KeyValueList::None) << name;
    }
    EXPECT_EQ(ImageTarget(), "");
    EXPECT_TRUE(FolderNames().empty());
    EXPECT_FALSE(fs::exists(folder.parent_path() / "x.jpg"));
    for (const std::string& name :
         std::vector<std::string>{"a_b-c.d.JPG", "console.jpg", "com10.jpg", "9.jpg", std::string(96, 'a') + ".jpg"})
        EXPECT_TRUE(IsPictureFileName(name)) << name;
}

TEST_F(Client, DownloadFailsWithoutConnectionOrFolder)
{
    EXPECT_EQ(Download("x.jpg"), 1);
    EXPECT_EQ(store.Find("ImageFullPath"), KeyValueList::None);
    Answer(server.server, "/get-images.php", 200, Jpeg);
    ConnectAs("anna", "c0de");
    EXPECT_EQ(client.DownloadPicture("x.jpg", (folder / "missing").string(), 1, 1, store), 1);
}
