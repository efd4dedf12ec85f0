// The request primitive on WinInet: one internet session for the run, one
// InternetOpenUrlA per request, the body read with InternetReadFile through
// a buffer of HttpChunkSize bytes.
//
// WinInet's synchronous calls block until data arrives, and its receive
// time-out isn't honoured everywhere, so a silent server could hold the
// saver for as long as it likes. The blocking calls therefore run on a
// helper thread of the request, while the calling thread hands the chunks
// to the sink, watches for user input and for a stall, and walks away at
// once when either comes. An abandoned helper finishes on its own and only
// touches the state it shares with the request.

#include "service/HttpRequest.h"

#include <windows.h>
#include <wininet.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

struct HttpSession {
    HINTERNET internet = nullptr;
};

namespace {

using Clock = std::chrono::steady_clock;

constexpr DWORD_PTR RequestContext = 1;
// How long the caller waits for news before it looks at input and stall again.
constexpr auto WaitSlice = std::chrono::milliseconds(20);
// The helper reads no further ahead of the caller than this many chunks.
constexpr size_t ReadAheadChunks = 64;

// What the helper thread and the caller share.
struct Exchange {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::string> chunks;
    bool connected = false;
    bool opened = false;
    bool done = false;
    bool cancelled = false;
    int result = 1;
    int status = 0;
    Clock::time_point lastActivity;
};

// The exchange of the request that runs on this helper thread; WinInet's
// status callback reports its progress here.
thread_local Exchange* threadExchange = nullptr;

void CALLBACK OnStatus(HINTERNET, DWORD_PTR, DWORD status, LPVOID, DWORD)
{
    if (threadExchange == nullptr)
        return;
    if (status == INTERNET_STATUS_CONNECTED_TO_SERVER || status == INTERNET_STATUS_REQUEST_SENT ||
        status == INTERNET_STATUS_RESPONSE_RECEIVED) {
        std::lock_guard<std::mutex> lock(threadExchange->mutex);
        threadExchange->connected = true;
        threadExchange->lastActivity = Clock::now();
    }
}

void SetTimeout(HINTERNET handle, DWORD option, uint32_t milliseconds)
{
    DWORD value = milliseconds;
    InternetSetOptionA(handle, option, &value, sizeof value);
}

int ReadStatus(HINTERNET request)
{
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
        return 0;
    return static_cast<int>(status);
}

void Finish(Exchange& exchange, int result)
{
    std::lock_guard<std::mutex> lock(exchange.mutex);
    exchange.done = true;
    exchange.result = result;
    exchange.changed.notify_all();
}

// The helper thread: open, then read until the end, a failure or cancellation.
void RunRequest(std::shared_ptr<Exchange> exchange, HINTERNET internet, std::string url, uint32_t flags,
                uint32_t stallTimeoutMs, bool readBody)
{
    threadExchange = exchange.get();
    HINTERNET request = InternetOpenUrlA(internet, url.c_str(), nullptr, 0, flags, RequestContext);
    if (request == nullptr) {
        Finish(*exchange, 1);
        return;
    }
    SetTimeout(request, INTERNET_OPTION_RECEIVE_TIMEOUT, stallTimeoutMs);
    {
        std::lock_guard<std::mutex> lock(exchange->mutex);
        exchange->opened = true;
        exchange->status = ReadStatus(request);
        exchange->lastActivity = Clock::now();
        exchange->changed.notify_all();
    }
    int result = 0;
    char buffer[HttpChunkSize];
    while (readBody) {
        {
            std::unique_lock<std::mutex> lock(exchange->mutex);
            exchange->changed.wait(lock, [&] {
                return exchange->cancelled || exchange->chunks.size() < ReadAheadChunks;
            });
            if (exchange->cancelled) {
                result = 1;
                break;
            }
        }
        DWORD got = 0;
        if (!InternetReadFile(request, buffer, sizeof buffer, &got)) {
            result = 1;
            break;
        }
        if (got == 0)
            break;
        std::lock_guard<std::mutex> lock(exchange->mutex);
        exchange->chunks.emplace_back(buffer, got);
        exchange->lastActivity = Clock::now();
        exchange->changed.notify_all();
    }
    InternetCloseHandle(request);
    Finish(*exchange, result);
}

bool Stalled(const Exchange& exchange, const HttpLimits& limits, Clock::time_point start)
{
    // Silence counts from the connection on; before it, the connect time-out
    // is added in case the status callback never says the connection stands.
    const auto now = Clock::now();
    if (!exchange.connected && !exchange.opened)
        return now - start > std::chrono::milliseconds(uint64_t{limits.connectTimeoutMs} + limits.stallTimeoutMs);
    return now - exchange.lastActivity > std::chrono::milliseconds(limits.stallTimeoutMs);
}

// Takes the request's news on the calling thread until it is done, or until
// input, a stall, the cap or the sink ends it.
int Follow(Exchange& exchange, const HttpLimits& limits, const HttpChunkSink& sink, HttpAnswer& answer)
{
    const auto start = Clock::now();
    std::unique_lock<std::mutex> lock(exchange.mutex);
    for (;;) {
        answer.status = exchange.status;
        while (!exchange.chunks.empty()) {
            const std::string chunk = std::move(exchange.chunks.front());
            exchange.chunks.pop_front();
            exchange.changed.notify_all();
            if (limits.maxBytes != 0 && answer.bytes + chunk.size() > limits.maxBytes)
                return 1;
            answer.bytes += chunk.size();
            lock.unlock();
            const bool more = sink(chunk.data(), chunk.size());
            lock.lock();
            if (!more)
                return 1;
        }
        if (exchange.done)
            return exchange.result;
        lock.unlock();
        const bool input = limits.inputPending != nullptr && limits.inputPending();
        lock.lock();
        if (input || Stalled(exchange, limits, start))
            return 1;
        exchange.changed.wait_for(lock, WaitSlice);
    }
}

} // namespace

HttpSession* HttpOpenSession()
{
    HINTERNET internet = InternetOpenA("Zembria Screensaver", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr,
                                       INTERNET_FLAG_DONT_CACHE);
    if (internet == nullptr)
        return nullptr;
    InternetSetStatusCallbackA(internet, OnStatus);
    auto* session = new HttpSession;
    session->internet = internet;
    return session;
}

void HttpCloseSession(HttpSession* session)
{
    if (session == nullptr)
        return;
    InternetCloseHandle(session->internet);
    delete session;
}

int HttpGet(HttpSession* session, const std::string& url, uint32_t flags, const HttpLimits& limits,
            const HttpChunkSink& sink, HttpAnswer& answer)
{
    answer = HttpAnswer{};
    if (session == nullptr || (limits.inputPending != nullptr && limits.inputPending()))
        return 1;
    SetTimeout(session->internet, INTERNET_OPTION_CONNECT_TIMEOUT, limits.connectTimeoutMs);
    SetTimeout(session->internet, INTERNET_OPTION_SEND_TIMEOUT, limits.stallTimeoutMs);
    SetTimeout(session->internet, INTERNET_OPTION_RECEIVE_TIMEOUT, limits.stallTimeoutMs);

    auto exchange = std::make_shared<Exchange>();
    try {
        std::thread(RunRequest, exchange, session->internet, url, flags, limits.stallTimeoutMs, bool(sink)).detach();
    } catch (const std::system_error&) {
        return 1;
    }
    const HttpChunkSink ignore = [](const char*, size_t) { return true; };
    const int result = Follow(*exchange, limits, sink ? sink : ignore, answer);
    std::lock_guard<std::mutex> lock(exchange->mutex);
    exchange->cancelled = true; // an unfinished helper stops at its next turn
    exchange->changed.notify_all();
    return result;
}
