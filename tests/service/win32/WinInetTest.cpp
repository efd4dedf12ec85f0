// WinInet under wine against a real server on 127.0.0.1: lines, bytes,
// status, a refused port, a stall, the cap and input as the watch sees them
// through WinInet, and the client on top of it.

#include "WinsockTestServer.h"
#include "service/AnswerLines.h"
#include "service/HttpRequest.h"
#include "service/ServiceClient.h"

#include "tests/settings/SettingsTestSupport.h"
#include "tests/support/JpegHeader.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

class WinInet : public ::testing::Test {
protected:
    void SetUp() override { session = HttpOpenSession(); ASSERT_NE(session, nullptr); }
    void TearDown() override { HttpCloseSession(session); }

    std::string Url(const std::string& path) { return "http://" + server.HostPort() + path; }

    int Get(const std::string& path, HttpBody kind, std::string& body, const HttpLimits& limits = HttpLimits{})
    {
        return HttpGet(session, Url(path), kind, limits,
                       [&](const char* data, size_t size) {
                           largestChunk = std::max(largestChunk, size);
                           body.append(data, size);
                           return true;
                       },
                       answer);
    }

    WinsockTestServer server;
    HttpSession* session = nullptr;
    HttpAnswer answer;
    size_t largestChunk = 0;
};

} // namespace

TEST_F(WinInet, ReadsTextAnswersAsLines)
{
    server.Set("/lines", {200, "a: 1\r\nb 2\n\nlast", false, false});
    std::vector<std::string> lines;
    LineSplitter splitter([&](const std::string& line) {
        lines.push_back(line);
        return true;
    });
    ASSERT_EQ(HttpGet(session, Url("/lines"), HttpBody::Text, HttpLimits{},
                      [&](const char* data, size_t size) { return splitter.Feed(data, size); }, answer),
              0);
    splitter.Finish();
    EXPECT_EQ(lines, (std::vector<std::string>{"a: 1\r", "b 2", "", "last"}));
    EXPECT_EQ(answer.status, 200);
}

TEST_F(WinInet, ReadsBinaryAnswersWholeInChunksOfAtMost2000)
{
    std::string picture(70000, '\0');
    for (size_t i = 0; i < picture.size(); ++i)
        picture[i] = static_cast<char>(i * 7 + i / 300);
    server.Set("/bytes", {200, picture, false, false});
    std::string body;
    ASSERT_EQ(Get("/bytes", HttpBody::Binary, body), 0);
    EXPECT_EQ(body, picture);
    EXPECT_LE(largestChunk, HttpChunkSize);
}

TEST_F(WinInet, GivesTheStatusAndBodyOfErrorAnswers)
{
    server.Set("/missing", {404, "gone", false, false});
    server.Set("/broken", {500, "oops", false, false});
    std::string body;
    EXPECT_EQ(Get("/missing", HttpBody::Text, body), 0);
    EXPECT_EQ(answer.status, 404);
    EXPECT_EQ(body, "gone");
    body.clear();
    EXPECT_EQ(Get("/broken", HttpBody::Binary, body), 0);
    EXPECT_EQ(answer.status, 500);
    // The probe reads no body but still has the status.
    EXPECT_EQ(HttpGet(session, Url("/broken"), HttpBody::Text, HttpLimits{}, nullptr, answer), 0);
    EXPECT_EQ(answer.status, 500);
}

TEST_F(WinInet, FailsOnARefusedPortAndOverTheCap)
{
    const std::string refused = "http://127.0.0.1:" + std::to_string(RefusedPort()) + "/get-infos.php";
    EXPECT_EQ(HttpGet(session, refused, HttpBody::Text, HttpLimits{}, nullptr, answer), 1);

    server.Set("/big", {200, std::string(5000, 'x'), false, false});
    HttpLimits limits;
    limits.maxBytes = 4999;
    std::string body;
    EXPECT_EQ(Get("/big", HttpBody::Binary, body, limits), 1);
    EXPECT_LT(body.size(), 5000u);
    limits.maxBytes = 5000;
    body.clear();
    EXPECT_EQ(Get("/big", HttpBody::Binary, body, limits), 0);
    EXPECT_EQ(body.size(), 5000u);
}

TEST_F(WinInet, FailsAStalledAnswerWithinTheStallTime)
{
    // The server answers one connection at a time, so the silent one comes last.
    server.Set("/stall", {200, "partial", true, false});
    server.Set("/silent", {200, "", false, true});
    HttpLimits limits;
    limits.stallTimeoutMs = 500;
    for (const char* path : {"/stall", "/silent"}) {
        const auto start = std::chrono::steady_clock::now();
        std::string body;
        EXPECT_EQ(Get(path, HttpBody::Binary, body, limits), 1) << path;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << path;
    }
}

namespace {
int inputChecks = 0;
std::chrono::steady_clock::time_point inputSeen;
bool InputAfterSomeChecks()
{
    if (++inputChecks == 6)
        inputSeen = std::chrono::steady_clock::now();
    return inputChecks > 5;
}
} // namespace

TEST_F(WinInet, UserInputEndsAWaitingRequestWithin200Ms)
{
    server.Set("/stall", {200, "partial", true, false});
    HttpLimits limits;
    limits.inputPending = InputAfterSomeChecks;
    std::string body;
    EXPECT_EQ(Get("/stall", HttpBody::Binary, body, limits), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - inputSeen, std::chrono::milliseconds(200));
    EXPECT_EQ(inputChecks, 6);
}

TEST_F(WinInet, ABodyCutShortOfItsLengthIsAFailure)
{
    // WinInet reads the early close as the end of the body.
    server.Set("/cut", {200, std::string(5000, 'c'), false, false, true});
    std::string body;
    EXPECT_EQ(Get("/cut", HttpBody::Binary, body), 1);
}

TEST_F(WinInet, AbandonedRequestsDontHoldTheSessionAndTheirHelpersEnd)
{
    // Input ends a stalled answer, whose helper wine leaves blocked in its
    // read; a sink that throws ends a large answer, whose helper would
    // otherwise wait for its reader forever, keeping the connection open.
    // Neither holds up the session's close.
    server.Set("/stall", {200, "partial", true, false});
    server.Set("/large", {200, std::string(4 << 20, 'l'), true, false});
    HttpLimits limits;
    limits.inputPending = InputAfterSomeChecks;
    inputChecks = 0;
    std::string body;
    EXPECT_EQ(Get("/stall", HttpBody::Binary, body, limits), 1);
    const HttpChunkSink throwing = [](const char*, size_t) -> bool { throw std::runtime_error("sink"); };
    EXPECT_THROW(HttpGet(session, Url("/large"), HttpBody::Binary, HttpLimits{}, throwing, answer),
                 std::runtime_error);
    const auto start = std::chrono::steady_clock::now();
    while (server.LeftEarly() < 1 && std::chrono::steady_clock::now() - start < std::chrono::seconds(3))
        Sleep(20);
    EXPECT_EQ(server.LeftEarly(), 1) << "the large answer's helper ended and let its connection go";

    const auto closing = std::chrono::steady_clock::now();
    HttpCloseSession(session);
    session = nullptr;
    EXPECT_LT(std::chrono::steady_clock::now() - closing, std::chrono::seconds(1));
}

TEST_F(WinInet, ManyAbandonedRequestsLeaveTheNextOneWhole)
{
    // Input ends each request while its helper opens, reads a flowing answer
    // or waits in a stalled one; the helpers left behind touch no handle but
    // their own, so the request after them gets exactly its bytes.
    std::string picture(70000, '\0');
    for (size_t i = 0; i < picture.size(); ++i)
        picture[i] = static_cast<char>(i * 13 + i / 700);
    server.Set("/stall", {200, "partial", true, false});
    server.Set("/large", {200, std::string(4 << 20, 'l'), false, false});
    server.Set("/bytes", {200, picture, false, false});
    HttpLimits limits;
    limits.stallTimeoutMs = 1000;
    limits.inputPending = InputAfterSomeChecks;
    for (int round = 0; round < 30; ++round) {
        inputChecks = round % 4;
        std::string body;
        EXPECT_EQ(Get(round % 2 == 0 ? "/large" : "/stall", HttpBody::Binary, body, limits), 1) << round;
    }
    std::string body;
    ASSERT_EQ(Get("/bytes", HttpBody::Binary, body), 0);
    EXPECT_EQ(answer.status, 200);
    EXPECT_EQ(body, picture);
}

TEST_F(WinInet, ClientKeepsItsCachedPictureAgainstHostileAnswers)
{
    using jpegbytes::JpegText;
    using jpegbytes::Oddity;
    const fs::path folder = fs::temp_directory_path() / "zembria-wininet-hostile";
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::ofstream(folder / "x.jpg", std::ios::binary) << "old picture";
    ServiceClient client;
    client.stallTimeoutMs = 500;
    client.pictureDeadlineMs = 1000;
    ASSERT_EQ(client.Connect(server.HostPort(), "anna", "c0de"), 0);

    const std::string good = JpegText(640, 480);
    const CannedAnswer hostile[] = {
        {200, good, false, false, true},
        {200, good + std::string(100000, 'f'), false, false, false, 100},
        {200, JpegText(60000, 60000, Oddity::StrayByte), false, false},
        {200, JpegText(60000, 60000, Oddity::StuffedPair), false, false},
        {200, JpegText(12000, 9000), false, false},
        {200, "<html>captive portal</html>", false, false},
    };
    KeyValueList store;
    for (const CannedAnswer& answer : hostile) {
        server.Set("/get-images.php", answer);
        EXPECT_EQ(client.DownloadPicture("x.jpg", folder.string(), 1280, 1024, store), 1) << answer.body.size();
    }
    server.Set("/get-images.php", {200, good, false, false});
    for (const char* name : {"desktop.ini", "../x.jpg", "x.jpg.", "x.jpg ", "nul.jpg"})
        EXPECT_EQ(client.DownloadPicture(name, folder.string(), 1280, 1024, store), 1) << name;

    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"x.jpg"});
    EXPECT_EQ(ReadBytes(folder / "x.jpg"), "old picture");
    EXPECT_FALSE(fs::exists(folder.parent_path() / "x.jpg"));
    fs::remove_all(folder);
}

TEST_F(WinInet, ClientKeepsAThousandEntriesOfALongInformationAnswer)
{
    std::string body;
    for (int row = 0; row < 100000; ++row)
        body += "Data" + std::to_string(row) + ": value\n";
    server.Set("/get-infos.php", {200, body, false, false});
    ServiceClient client;
    ASSERT_EQ(client.Connect(server.HostPort(), "anna", "c0de"), 0);
    KeyValueList store;
    EXPECT_EQ(client.FetchInfos(store), 0);
    EXPECT_EQ(store.EntryCount(), 1000u * 2);
}

TEST_F(WinInet, OddBytesInALoginLeaveAsTheyAreOrPercentEncoded)
{
    ServiceClient client;
    ASSERT_EQ(client.Connect(server.HostPort(), "<>\"{|}^`'%#\t\xC3\xA9", "c"), 0);
    EXPECT_EQ(server.Targets().at(0),
              "/get-infos.php?sLogin=<>\"{|}^`'%%23%09%C3%A9&sCode=c&sVers=1.0.0&sLang=en&sTransaction=");
}

TEST_F(WinInet, ClientExchangesInfosAndDownloadsAPicture)
{
    server.Set("/get-infos.php", {200, "MemberLogin: failed\r\nImageFileName: x.jpg\r\n", false, false});
    const std::string picture = jpegbytes::JpegText(1280, 1024);
    server.Set("/get-images.php", {200, picture, false, false});
    ServiceClient client;
    ASSERT_EQ(client.Connect(server.HostPort(), "a b", "c0de"), 0);
    KeyValueList store;
    ASSERT_EQ(client.FetchInfos(store), 0);
    EXPECT_EQ(store.GetString("MemberLogin", ""), "failed");

    const fs::path folder = fs::temp_directory_path() / "zembria-wininet-test";
    fs::remove_all(folder);
    fs::create_directories(folder);
    ASSERT_EQ(client.DownloadPicture("x.jpg", folder.string(), 1280, 1024, store), 0);
    EXPECT_EQ(store.GetString("ImageFullPath", ""), folder.string() + "\\x.jpg");
    EXPECT_EQ(ReadBytes(folder / "x.jpg"), picture);

    // A failed download leaves the picture as it was.
    server.Set("/get-images.php", {500, "error page", false, false});
    EXPECT_EQ(client.DownloadPicture("x.jpg", folder.string(), 1280, 1024, store), 1);
    EXPECT_EQ(ReadBytes(folder / "x.jpg"), picture);
    fs::remove_all(folder);

    const auto targets = server.Targets();
    ASSERT_EQ(targets.size(), 4u);
    EXPECT_EQ(targets[0], "/get-infos.php?sLogin=a%20b&sCode=c0de&sVers=1.0.0&sLang=en&sTransaction=");
    EXPECT_EQ(targets[2], "/get-images.php?sLogin=a%20b&sCode=c0de&sVers=1.0.0&sLang=en&sTransaction="
                          "&iWidth=1280&iHeight=1024&sFileName=x.jpg");
}
