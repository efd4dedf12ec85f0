// The request primitive on libcurl against a real server on 127.0.0.1:
// lines, chunks, status, refused ports, the cap, stalls and user input.

#include "TestHttpServer.h"
#include "service/AnswerLines.h"
#include "service/HttpRequest.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

class Transport : public ::testing::Test {
protected:
    void SetUp() override { session = HttpOpenSession(); }
    void TearDown() override { HttpCloseSession(session); }

    std::string Url(const std::string& path) { return "http://" + server.HostPort() + path; }

    int Get(const std::string& path, std::string& body, const HttpLimits& limits = HttpLimits{})
    {
        return HttpGet(session, Url(path), HttpBody::Binary, limits,
                       [&](const char* data, size_t size) {
                           chunkSizes.push_back(size);
                           body.append(data, size);
                           return true;
                       },
                       answer);
    }

    TestHttpServer server;
    HttpSession* session = nullptr;
    HttpAnswer answer;
    std::vector<size_t> chunkSizes;
};

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace

TEST_F(Transport, ReadsLinesAsTheyEnd)
{
    server.server.Get("/lines", [](const httplib::Request&, httplib::Response& response) {
        response.set_content("a: 1\r\nb 2\n\nlast", "text/plain");
    });
    server.Start();
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

TEST_F(Transport, ReadsBytesInChunksOfAtMost2000)
{
    std::string picture(70000, '\0');
    for (size_t i = 0; i < picture.size(); ++i)
        picture[i] = static_cast<char>(i * 7 + i / 300);
    server.server.Get("/bytes", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content(picture, "image/jpeg");
    });
    server.Start();
    std::string body;
    ASSERT_EQ(Get("/bytes", body), 0);
    EXPECT_EQ(body, picture);
    EXPECT_EQ(answer.bytes, picture.size());
    for (const size_t size : chunkSizes)
        EXPECT_LE(size, HttpChunkSize);
}

TEST_F(Transport, GivesTheStatusAndBodyOfErrorAnswers)
{
    server.server.Get("/missing", [](const httplib::Request&, httplib::Response& response) {
        response.status = 404;
        response.set_content("gone", "text/plain");
    });
    server.Start();
    std::string body;
    EXPECT_EQ(Get("/missing", body), 0);
    EXPECT_EQ(answer.status, 404);
    EXPECT_EQ(body, "gone");
}

TEST_F(Transport, FailsOnARefusedPort)
{
    std::string body;
    EXPECT_EQ(HttpGet(session, "http://127.0.0.1:" + std::to_string(RefusedPort()) + "/x", HttpBody::Text,
                      HttpLimits{}, [](const char*, size_t) { return true; }, answer),
              1);
    EXPECT_EQ(HttpGet(nullptr, "http://127.0.0.1/x", HttpBody::Text, HttpLimits{}, nullptr, answer), 1);
}

TEST_F(Transport, StopsAnAnswerOverTheCap)
{
    server.server.Get("/big", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(std::string(5000, 'x'), "text/plain");
    });
    server.Start();
    HttpLimits limits;
    limits.maxBytes = 4999;
    std::string body;
    EXPECT_EQ(Get("/big", body, limits), 1);
    EXPECT_LT(body.size(), 5000u);
    limits.maxBytes = 5000;
    body.clear();
    EXPECT_EQ(Get("/big", body, limits), 0);
}

TEST_F(Transport, FailsAStalledAnswerWithinTheStallTime)
{
    server.server.Get("/stall-body", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content_provider(10000, "image/jpeg", [&](size_t, size_t, httplib::DataSink& sink) {
            sink.write("partial", 7);
            server.Hold();
            return false;
        });
    });
    server.server.Get("/stall-head", [&](const httplib::Request&, httplib::Response&) { server.Hold(); });
    server.Start();
    HttpLimits limits;
    limits.connectTimeoutMs = 200;
    limits.stallTimeoutMs = 300;
    for (const char* path : {"/stall-body", "/stall-head"}) {
        const auto start = Clock::now();
        std::string body;
        EXPECT_EQ(Get(path, body, limits), 1) << path;
        const double seconds = SecondsSince(start);
        EXPECT_GE(seconds, 0.25) << path;
        EXPECT_LT(seconds, 3.0) << path;
    }
}

namespace {
int inputChecks = 0;
bool InputAfterSomeChecks() { return ++inputChecks > 5; }
} // namespace

TEST_F(Transport, UserInputEndsAWaitingRequestAtOnce)
{
    server.server.Get("/stall-head", [&](const httplib::Request&, httplib::Response&) { server.Hold(); });
    server.Start();
    HttpLimits limits;
    limits.inputPending = InputAfterSomeChecks;
    inputChecks = 0;
    const auto start = Clock::now();
    std::string body;
    EXPECT_EQ(Get("/stall-head", body, limits), 1);
    EXPECT_LT(SecondsSince(start), 2.0);
    EXPECT_EQ(inputChecks, 6);
}

TEST_F(Transport, ProbeReturnsOnceTheHeadArrived)
{
    server.server.Get("/slow-body", [&](const httplib::Request&, httplib::Response& response) {
        response.status = 500;
        response.set_content_provider(100, "text/plain", [&](size_t, size_t, httplib::DataSink&) {
            server.Hold();
            return false;
        });
    });
    server.Start();
    const auto start = Clock::now();
    EXPECT_EQ(HttpGet(session, Url("/slow-body"), HttpBody::Text, HttpLimits{}, nullptr, answer), 0);
    EXPECT_EQ(answer.status, 500);
    EXPECT_LT(SecondsSince(start), 2.0);
}
