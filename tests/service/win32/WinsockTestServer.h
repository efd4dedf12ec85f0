#pragma once
// A small HTTP server on 127.0.0.1 for the WinInet tests under wine: one
// canned answer per path, one connection at a time on its own thread, every
// request target recorded. A stalling answer sends its head and a few bytes
// and then waits until the server stops; a silent one sends nothing.

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct CannedAnswer {
    int status = 200;
    std::string body;
    bool stall = false;
    bool silent = false; // sends nothing at all and waits
};

class WinsockTestServer {
public:
    WinsockTestServer();
    ~WinsockTestServer();

    void Set(const std::string& path, const CannedAnswer& answer);
    std::string HostPort() const;
    std::vector<std::string> Targets();

    int port = 0;

private:
    void Serve();
    void Answer(uintptr_t connection);

    uintptr_t listener;
    std::atomic<bool> stopping{false};
    std::mutex mutex;
    std::map<std::string, CannedAnswer> answers;
    std::vector<std::string> targets;
    std::thread thread;
};

// A port on 127.0.0.1 where nothing listens.
int RefusedPort();
