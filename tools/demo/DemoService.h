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
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct DemoConfig {
    int port = 0;                  // 0: any free port
    std::string pictureFolder = "demo-pictures";
    int intervalSeconds = 10;      // how long each picture stays current
    std::map<std::string, std::string> members; // login -> password
    bool collision = false;        // report every member as active elsewhere
    bool crlf = false;             // end answer lines with CR LF
    bool status500 = false;        // answer every request with status 500
    bool stall = false;            // never answer; hold each request until the service stops
    bool cutShort = false;         // send only half of each picture, then drop the connection
    std::string logPath;           // request log; empty: standard output
};

class DemoService {
public:
    explicit DemoService(DemoConfig config);
    ~DemoService();

    // Lists the pictures and starts listening; 0 on success, with port set.
    int Start();
    void Stop();
    std::string HostPort() const { return "127.0.0.1:" + std::to_string(port); }
    // The picture that is current now.
    std::string CurrentPicture() const;
    const std::vector<std::string>& Pictures() const { return pictures; }

    int port = 0;

private:
    void Log(const httplib::Request& request);
    void HoldUntilStopped();
    std::string InfoAnswer(const httplib::Request& request) const;
    void AnswerInfos(const httplib::Request& request, httplib::Response& response);
    void AnswerImage(const httplib::Request& request, httplib::Response& response);

    DemoConfig config;
    std::vector<std::string> pictures;
    std::chrono::steady_clock::time_point started;
    httplib::Server server;
    std::thread thread;
    std::mutex mutex;
    std::condition_variable stopped;
    bool stopping = false;
    FILE* log = nullptr;
};
