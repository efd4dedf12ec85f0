// The WinInet tests' server on Winsock.

#include "WinsockTestServer.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>

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

// Waits up to 20 ms until the socket can be read (or written); false on a timeout.
bool Ready(SOCKET connection, bool write)
{
    fd_set sockets;
    FD_ZERO(&sockets);
    FD_SET(connection, &sockets);
    timeval slice{0, 20000};
    return select(0, write ? nullptr : &sockets, write ? &sockets : nullptr, nullptr, &slice) > 0;
}

// Connections don't block: a client that reads no more must not keep a
// sending thread from seeing the server stop. False when the client went
// away, or the server stopped, before all was sent.
bool SendAll(SOCKET connection, const std::string& data, const std::atomic<bool>& stopping)
{
    size_t sent = 0;
    while (sent < data.size() && !stopping) {
        if (!Ready(connection, true))
            continue;
        const int n = send(connection, data.data() + sent, static_cast<int>(std::min<size_t>(data.size() - sent, 65536)), 0);
        if (n <= 0 && WSAGetLastError() != WSAEWOULDBLOCK)
            return false;
        sent += n > 0 ? static_cast<size_t>(n) : 0;
    }
    return sent == data.size();
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
    for (std::thread& connection : connections)
        connection.join();
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

int WinsockTestServer::LeftEarly()
{
    std::lock_guard<std::mutex> lock(mutex);
    return leftEarly;
}

void WinsockTestServer::Serve()
{
    while (!stopping) {
        SOCKET connection = accept(static_cast<SOCKET>(listener), nullptr, nullptr);
        if (connection == INVALID_SOCKET)
            return;
        u_long nonBlocking = 1;
        ioctlsocket(connection, FIONBIO, &nonBlocking);
        std::lock_guard<std::mutex> lock(mutex);
        connections.emplace_back([this, connection] {
            Answer(connection);
            closesocket(connection);
        });
    }
}

void WinsockTestServer::WaitForTheClient(uintptr_t connectionId)
{
    const auto connection = static_cast<SOCKET>(connectionId);
    while (!stopping) {
        char byte;
        if (Ready(connection, false) && recv(connection, &byte, 1, 0) <= 0) {
            std::lock_guard<std::mutex> lock(mutex);
            ++leftEarly;
            return;
        }
    }
}

void WinsockTestServer::Answer(uintptr_t connectionId)
{
    const auto connection = static_cast<SOCKET>(connectionId);
    std::string request;
    char buffer[1024];
    while (request.find("\r\n\r\n") == std::string::npos) {
        if (stopping)
            return;
        if (!Ready(connection, false))
            continue;
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
        WaitForTheClient(connectionId);
        return;
    }
    const bool whole = !answer.stall && !answer.cut;
    const size_t announced = whole ? answer.body.size() : answer.body.size() * 2 + 10000;
    const std::string head = "HTTP/1.1 " + std::to_string(answer.status) + " Canned\r\nContent-Length: " +
                             std::to_string(announced) + "\r\nConnection: close\r\n\r\n";
    bool sent = SendAll(connection, head, stopping);
    if (answer.trickleMs > 0) {
        // Pieces of a whole read buffer: WinInet's reads wait for a full one.
        for (size_t i = 0; sent && i < answer.body.size() && !stopping; i += 2000) {
            Sleep(static_cast<DWORD>(answer.trickleMs));
            sent = SendAll(connection, answer.body.substr(i, 2000), stopping);
        }
    } else {
        sent = sent && SendAll(connection, answer.body, stopping);
    }
    if (!sent) {
        std::lock_guard<std::mutex> lock(mutex);
        ++leftEarly;
    } else if (answer.stall) {
        WaitForTheClient(connectionId);
    }
}

int RefusedPort()
{
    int port = 0;
    closesocket(Listen(port));
    return port;
}
