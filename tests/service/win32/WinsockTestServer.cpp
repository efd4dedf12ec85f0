// The WinInet tests' server on Winsock.

#include "WinsockTestServer.h"

#include <winsock2.h>
#include <ws2tcpip.h>

namespace {

struct WinsockUser {
    WinsockUser()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
};
WinsockUser winsockUser;

SOCKET Listen(int& port)
{
    SOCKET socketId = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(socketId, reinterpret_cast<sockaddr*>(&address), sizeof address);
    int length = sizeof address;
    getsockname(socketId, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return socketId;
}

void SendAll(SOCKET connection, const std::string& data)
{
    size_t sent = 0;
    while (sent < data.size()) {
        const int n = send(connection, data.data() + sent, static_cast<int>(data.size() - sent), 0);
        if (n <= 0)
            return;
        sent += static_cast<size_t>(n);
    }
}

} // namespace

WinsockTestServer::WinsockTestServer()
{
    SOCKET socketId = Listen(port);
    listen(socketId, 16);
    listener = socketId;
    thread = std::thread([this] { Serve(); });
}

WinsockTestServer::~WinsockTestServer()
{
    stopping = true;
    closesocket(static_cast<SOCKET>(listener));
    thread.join();
}

void WinsockTestServer::Set(const std::string& path, const CannedAnswer& answer)
{
    std::lock_guard<std::mutex> lock(mutex);
    answers[path] = answer;
}

std::string WinsockTestServer::HostPort() const
{
    return "127.0.0.1:" + std::to_string(port);
}

std::vector<std::string> WinsockTestServer::Targets()
{
    std::lock_guard<std::mutex> lock(mutex);
    return targets;
}

void WinsockTestServer::Serve()
{
    while (!stopping) {
        SOCKET connection = accept(static_cast<SOCKET>(listener), nullptr, nullptr);
        if (connection == INVALID_SOCKET)
            return;
        Answer(connection);
        closesocket(connection);
    }
}

void WinsockTestServer::Answer(uintptr_t connectionId)
{
    const auto connection = static_cast<SOCKET>(connectionId);
    std::string request;
    char buffer[1024];
    while (request.find("\r\n\r\n") == std::string::npos) {
        const int n = recv(connection, buffer, sizeof buffer, 0);
        if (n <= 0)
            return;
        request.append(buffer, static_cast<size_t>(n));
    }
    // "GET <target> HTTP/1.1"
    const size_t start = request.find(' ') + 1;
    const std::string target = request.substr(start, request.find(' ', start) - start);
    const std::string path = target.substr(0, target.find('?'));

    CannedAnswer answer{404, "no such path", false, false};
    {
        std::lock_guard<std::mutex> lock(mutex);
        targets.push_back(target);
        const auto found = answers.find(path);
        if (found != answers.end())
            answer = found->second;
    }
    if (answer.silent) {
        while (!stopping)
            Sleep(20);
        return;
    }
    const size_t announced = answer.stall ? answer.body.size() + 10000 : answer.body.size();
    SendAll(connection, "HTTP/1.1 " + std::to_string(answer.status) + " Canned\r\nContent-Length: " +
                            std::to_string(announced) + "\r\nConnection: close\r\n\r\n" + answer.body);
    while (answer.stall && !stopping)
        Sleep(20);
}

int RefusedPort()
{
    int port = 0;
    closesocket(Listen(port));
    return port;
}
