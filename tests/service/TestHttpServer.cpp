// The test server's thread, its request log and its release of held handlers.

#include "TestHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

TestHttpServer::TestHttpServer()
{
    // Recorded before the handler runs, so a test sees a request as soon as
    // its answer has begun.
    server.set_pre_routing_handler([this](const httplib::Request& request, httplib::Response&) {
        std::lock_guard<std::mutex> lock(mutex);
        targets.push_back(request.target);
        return httplib::Server::HandlerResponse::Unhandled;
    });
}

TestHttpServer::~TestHttpServer()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    released.notify_all();
    server.stop();
    if (thread.joinable())
        thread.join();
}

void TestHttpServer::Start()
{
    port = server.bind_to_any_port("127.0.0.1");
    // The socket already listens, so requests queue until the thread accepts them.
    thread = std::thread([this] { server.listen_after_bind(); });
    // A server stopped before its thread runs would never stop.
    while (!server.is_running())
        std::this_thread::yield();
}

std::string TestHttpServer::HostPort() const
{
    return "127.0.0.1:" + std::to_string(port);
}

std::vector<std::string> TestHttpServer::Targets() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return targets;
}

void TestHttpServer::Hold()
{
    std::unique_lock<std::mutex> lock(mutex);
    released.wait(lock, [this] { return stopping; });
}

int RefusedPort()
{
    const int socketId = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    bind(socketId, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(socketId, reinterpret_cast<sockaddr*>(&address), &length);
    close(socketId);
    return ntohs(address.sin_port);
}
