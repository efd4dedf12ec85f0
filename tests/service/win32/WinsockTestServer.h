#pragma once
// A small HTTP server on 127.0.0.1 for the WinInet tests under wine: one
// canned answer per path, each connection on its own thread, every request
// target recorded. A stalling answer sends its head and a few bytes and then
// waits until the client leaves or the server stops; a silent one sends
// nothing; a cut one announces more than it sends and closes; a trickling
// one sends its body a piece at a time.

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
    bool cut = false;    // announces twice the body, sends it and closes
    int trickleMs = 0;   // sends the body 2000 bytes every trickleMs
};

class WinsockTestServer {
public:
    WinsockTestServer();
    ~WinsockTestServer();

    void Set(const std::string& path, const CannedAnswer& answer);
    std::string HostPort() const;
    std::vector<std::string> Targets();
    // Connections whose client went away before the answer was over.
    int LeftEarly();

    int port = 0;

private:
    void Serve();
    void Answer(uintptr_t connection);
    // Waits until the client closes the connection or the server stops.
    void WaitForTheClient(uintptr_t connection);

    uintptr_t listener;
    std::atomic<bool> stopping{false};
    std::mutex mutex;
    std::map<std::string, CannedAnswer> answers;
    std::vector<std::string> targets;
    int leftEarly = 0;
    std::thread thread;
    std::vector<std::thread> connections;
};

// A port on 127.0.0.1 where nothing listens.
int RefusedPort();
