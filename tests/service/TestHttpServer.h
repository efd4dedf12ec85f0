#pragma once
// A real HTTP server on 127.0.0.1 for the service tests: cpp-httplib on its
// own thread, a free port, every request target recorded. A handler that
// stalls waits on Hold() and is let go when the server stops.

#include <httplib.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TestHttpServer {
public:
    TestHttpServer();
    ~TestHttpServer();

    // Starts listening; call after the routes are set on server.
    void Start();
    std::string HostPort() const;
    std::vector<std::string> Targets() const;
    // Keeps a handler waiting until the server stops.
    void Hold();

    httplib::Server server;
    int port = 0;

private:
    std::thread thread;
    mutable std::mutex mutex;
    std::condition_variable released;
    bool stopping = false;
    std::vector<std::string> targets;
};

// A port on 127.0.0.1 where nothing listens.
int RefusedPort();
