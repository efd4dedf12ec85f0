// The request primitive on WinInet: one internet session for the run, one
// InternetOpenUrlA per request, the body read with InternetReadFile through
// a buffer of HttpChunkSize bytes.
//
// WinInet's synchronous calls block until data arrives, and its receive
// time-out isn't honoured everywhere, so a silent server could hold the
// saver for as long as it likes. The blocking calls therefore run on a
// helper thread of the request, while the calling thread hands the chunks
// to the sink, watches for user input, a stall and the deadline, and walks
// away at once when one comes. Walking away, however it happens, cancels the
// helper: the request handle is closed so a blocked read returns, and the
// helper ends. The session counts its helpers and waits a moment for them
// when it closes; one still blocked then ends on its own, touching nothing
// but the state it shares with the request.

#include "service/HttpRequest.h"

#include <windows.h>
#include <wininet.h>

#include <chrono>
#include <cstdint>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

namespace {

// What the session and its helper threads share; outlives either.
struct Helpers {
    std::mutex mutex;
    std::condition_variable ended;
    int running = 0;
};

} // namespace

struct HttpSession {
    HINTERNET internet = nullptr;
    std::shared_ptr<Helpers> helpers = std::make_shared<Helpers>();
};

namespace {

using Clock = std::chrono::steady_clock;

constexpr DWORD_PTR RequestContext = 1;
// How long the caller waits for news before it looks at input and stall again.
constexpr auto WaitSlice = std::chrono::milliseconds(20);
// The helper reads no further ahead of the caller than this many chunks.
constexpr size_t ReadAheadChunks = 64;
// How long closing the session waits for cancelled helpers to end. Short:
// a closed handle ends a helper on Windows within milliseconds, and
// the saver closes on input; a helper blocked in a read that the closed
// handle doesn't cut short (wine) ends on its own at the stall time-out.
constexpr auto HelperGrace = std::chrono::milliseconds(20);

// What the helper thread and the caller share.
struct Exchange {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::string> chunks;
    bool connected = false;
    bool opened = false;
    bool done = false;
    bool cancelled = false;
    HINTERNET request = nullptr; // open and not yet closed
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

// The announced body length, or -1 when the answer announces none.
int64_t ContentLength(HINTERNET request)
{
    char text[32] = {};
    DWORD size = sizeof text - 1;
    if (!HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr))
        return -1;
    int64_t length = 0;
    for (DWORD i = 0; i < size; ++i) {
        if (text[i] < '0' || text[i] > '9' || length > (INT64_MAX - 9) / 10)
            return -1;
        length = length * 10 + (text[i] - '0');
    }
    return size > 0 ? length : -1;
}

// Closes the request handle once, whichever thread gets there first. The
// handle is taken under the lock and closed outside it: WinInet may call
// OnStatus on the helper thread while the close waits for its read.
void CloseRequest(Exchange& exchange, bool cancel)
{
    HINTERNET request = nullptr;
    {
        std::lock_guard<std::mutex> lock(exchange.mutex);
        exchange.cancelled = exchange.cancelled || cancel;
        std::swap(request, exchange.request);
        exchange.changed.notify_all();
    }
    if (request != nullptr)
        InternetCloseHandle(request);
}

void Finish(Exchange& exchange, int result)
{
    std::lock_guard<std::mutex> lock(exchange.mutex);
    exchange.done = true;
    exchange.result = result;
    exchange.changed.notify_all();
}

// Open, then read until the end, a failure or cancellation. WinInet takes a
// connection closed early for the end of the body, so a body shorter than
// its announced length is a failure here.
int ReadAnswer(Exchange& exchange, HINTERNET internet, const std::string& url, uint32_t flags,
               uint32_t stallTimeoutMs, bool readBody)
{
    HINTERNET request = InternetOpenUrlA(internet, url.c_str(), nullptr, 0, flags, RequestContext);
    if (request == nullptr)
        return 1;
    SetTimeout(request, INTERNET_OPTION_RECEIVE_TIMEOUT, stallTimeoutMs);
    const int64_t announced = ContentLength(request);
    {
        std::unique_lock<std::mutex> lock(exchange.mutex);
        if (exchange.cancelled) {
            lock.unlock();
            InternetCloseHandle(request);
            return 1;
        }
        exchange.request = request;
        exchange.opened = true;
        exchange.status = ReadStatus(request);
        exchange.lastActivity = Clock::now();
        exchange.changed.notify_all();
    }
    int64_t received = 0;
    char buffer[HttpChunkSize];
    while (readBody) {
        {
            std::unique_lock<std::mutex> lock(exchange.mutex);
            exchange.changed.wait(lock, [&] {
                return exchange.cancelled || exchange.chunks.size() < ReadAheadChunks;
            });
            if (exchange.cancelled)
                return 1;
        }
        DWORD got = 0;
        // The caller may close the handle meanwhile: the read then fails.
        if (!InternetReadFile(request, buffer, sizeof buffer, &got))
            return 1;
        if (got == 0)
            return announced >= 0 && received != announced ? 1 : 0;
        received += got;
        std::lock_guard<std::mutex> lock(exchange.mutex);
        exchange.chunks.emplace_back(buffer, got);
        exchange.lastActivity = Clock::now();
        exchange.changed.notify_all();
    }
    return 0;
}

// The helper thread of one request.
void RunRequest(std::shared_ptr<Exchange> exchange, std::shared_ptr<Helpers> helpers, HINTERNET internet,
                std::string url, uint32_t flags, uint32_t stallTimeoutMs, bool readBody)
{
    threadExchange = exchange.get();
    int result = 1;
    try {
        result = ReadAnswer(*exchange, internet, url, flags, stallTimeoutMs, readBody);
    } catch (const std::exception&) {
        result = 1; // out of memory for a chunk: a failed request
    }
    CloseRequest(*exchange, false);
    Finish(*exchange, result);
    threadExchange = nullptr;
    std::lock_guard<std::mutex> lock(helpers->mutex);
    --helpers->running;
    helpers->ended.notify_all();
}

// Ends the request on every way out of HttpGet, a throwing sink included:
// the helper is told to stop, and a blocked read is cut short.
struct CancelOnExit {
    Exchange& exchange;
    ~CancelOnExit() { CloseRequest(exchange, true); }
};

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
    const auto deadline = std::chrono::milliseconds(limits.deadlineMs);
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
        if (input || Stalled(exchange, limits, start) || (limits.deadlineMs != 0 && Clock::now() - start > deadline))
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
    // Closing the session also ends the connections its helpers still wait on.
    InternetCloseHandle(session->internet);
    {
        std::unique_lock<std::mutex> lock(session->helpers->mutex);
        session->helpers->ended.wait_for(lock, HelperGrace, [&] { return session->helpers->running == 0; });
    }
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
    {
        std::lock_guard<std::mutex> lock(session->helpers->mutex);
        ++session->helpers->running;
    }
    try {
        std::thread(RunRequest, exchange, session->helpers, session->internet, url, flags, limits.stallTimeoutMs,
                    bool(sink))
            .detach();
    } catch (const std::system_error&) {
        std::lock_guard<std::mutex> lock(session->helpers->mutex);
        --session->helpers->running;
        return 1;
    }
    CancelOnExit cancel{*exchange};
    const HttpChunkSink ignore = [](const char*, size_t) { return true; };
    return Follow(*exchange, limits, sink ? sink : ignore, answer);
}
