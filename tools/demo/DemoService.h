#pragma once
// A stand-in for the Zembria picture service on 127.0.0.1: get-infos.php
// and get-images.php served from a folder of pictures, the current picture
// changing every few seconds, members checked by their member code, and
// switches that make it misbehave the ways the saver must survive.

#include <httplib.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// One saver asks at most four times within this time: its login's two
// questions (the connection's and the login's) and a picture change's two;
// its next step is an interval (10 s or more) later.
constexpr std::chrono::seconds CollisionWindow{5};

struct DemoConfig {
    int port = 0;                  // 0: any free port
    std::string pictureFolder = "demo-pictures";
    int intervalSeconds = 10;      // how long each picture stays current
    std::map<std::string, std::string> members; // login -> password
    bool collision = false;        // report every member as active elsewhere
    // Report a member as active elsewhere when it asks more often than one
    // saver would: more than this many get-infos within CollisionWindow (0: never).
    int collisionOver = 0;
    bool crlf = false;             // end answer lines with CR LF
    bool status500 = false;        // answer every request with status 500
    bool stall = false;            // never answer; hold each request until the service stops
    bool cutShort = false;         // send only half of each picture, then drop the connection
    std::string logPath;           // request log; empty: standard output
    // TLS with this certificate (PEM, its chain after it) and key; both empty: plain HTTP.
    std::string certPath;
    std::string keyPath;
    // Answer every question with a redirect to this base URL and the same path.
    std::string redirectTo;
};

class DemoService {
public:
    explicit DemoService(DemoConfig config);
    ~DemoService();

    // Lists the pictures and starts listening; 0 on success, with port set.
    int Start();
    void Stop();
    std::string HostPort() const { return "127.0.0.1:" + std::to_string(port); }
    // The address a saver is given: HostPort(), with "https://" when serving TLS.
    std::string ServiceAddress() const;
    // The picture that is current now.
    std::string CurrentPicture() const;
    const std::vector<std::string>& Pictures() const { return pictures; }
    // What each login (empty: guests) has asked so far.
    struct Counts {
        int infos = 0;
        int pictures = 0;
    };
    std::map<std::string, Counts> RequestCounts();

    int port = 0;

private:
    bool Secure() const { return !config.certPath.empty() || !config.keyPath.empty(); }
    void Log(const httplib::Request& request);
    void HoldUntilStopped();
    // Counts the request; true when its member asks more often than one saver would.
    bool CountInfos(const std::string& login);
    std::string CountsText();
    std::string InfoAnswer(const httplib::Request& request, bool busy) const;
    void AnswerInfos(const httplib::Request& request, httplib::Response& response);
    void AnswerImage(const httplib::Request& request, httplib::Response& response);
    // True when the switches answered the request already.
    bool Misbehave(const httplib::Request& request, httplib::Response& response, const char* contentType);

    DemoConfig config;
    std::vector<std::string> pictures;
    std::chrono::steady_clock::time_point started;
    std::unique_ptr<httplib::Server> server;
    std::thread thread;
    std::mutex mutex;
    std::condition_variable stopped;
    bool stopping = false;
    FILE* log = nullptr;
    std::map<std::string, Counts> counts;
    std::map<std::string, std::vector<std::chrono::steady_clock::time_point>> recentInfos;
};
