// The request primitive on WinInet: one internet session for the run, one
// InternetOpenUrlA per request, the body read with InternetReadFile through
// a buffer of HttpChunkSize bytes.
//
// WinInet's synchronous calls block until data arrives, and its receive
// time-out isn't honoured everywhere, so a silent server could hold the
// saver for as long as it likes. The blocking calls therefore run on a
// helper thread of the request, while the calling thread hands the chunks
// to the sink, reports the helper's progress to the request's TransferWatch
// and walks away at once when the watch ends the transfer. Walking away only
// tells the helper to stop: it ends before its next read, or when a read it
// is blocked in returns (data, the end, or the receive time-out, which is
// the stall time). WinInet's own time-outs only bound the helper's calls;
// they are never shorter than the watch's, so the watch decides.
//
// Each handle is closed by its last user, never under another thread's
// feet: the helper alone uses and closes its request handle, and the
// session's handle closes when the session and every helper are done with
// it. Closing a request handle from the caller to cut a read short could
// land between the helper's last look at the stop flag and its read, and
// WinInet gives a closed handle's value to the next handle it opens, so
// that read would take another request's bytes.
//
// An https request is made with WinInet's certificate checks (none of them
// waived) and follows its redirects itself, to https only: WinInet's own
// following may take it down to plain http, which must be a failed request.

#include "service/HttpRequest.h"
#include "service/RequestUrl.h"
#include "service/TransferWatch.h"

#include "platform/HelperThread.h"

#include <windows.h>
#include <wininet.h>

#include <chrono>
#include <cstdint>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

namespace {

// A WinInet handle, closed by whoever holds it last: the helper that opened
// a request, or the session and the helpers still running on its handle.
struct InternetHandle {
    HINTERNET handle;
    explicit InternetHandle(HINTERNET opened) : handle(opened) {}
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    ~InternetHandle()
    {
        if (handle != nullptr)
            InternetCloseHandle(handle);
    }
};

} // namespace

struct HttpSession {
    // Shared with the helpers still running: they open their requests on it.
    std::shared_ptr<InternetHandle> internet;
};

namespace {

using Clock = std::chrono::steady_clock;

constexpr DWORD_PTR RequestContext = 1;
// As many redirects as libcurl follows for the Linux saver.
constexpr int MaxRedirects = 10;
// How long the caller waits for news before it asks the watch again.
constexpr auto WaitSlice = std::chrono::milliseconds(20);
// The helper reads no further ahead of the caller than this many chunks.
constexpr size_t ReadAheadChunks = 64;

// What the helper thread and the caller share.
struct Exchange {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::string> chunks;
    bool heard = false; // the connection stands or some of the answer arrived
    bool done = false;
    bool abandoned = false; // the caller has walked away
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
        threadExchange->heard = true;
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

bool IsRedirect(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// Where a redirect leads, made whole against the URL that answered it; "" when
// the answer names no place.
std::string RedirectTarget(HINTERNET request, const std::string& from)
{
    std::string location(2048, '\0');
    DWORD size = static_cast<DWORD>(location.size());
    if (!HttpQueryInfoA(request, HTTP_QUERY_LOCATION, location.data(), &size, nullptr))
        return "";
    location.resize(size);
    std::string target(4096, '\0');
    size = static_cast<DWORD>(target.size());
    if (!InternetCombineUrlA(from.c_str(), location.c_str(), target.data(), &size, 0))
        return "";
    target.resize(size);
    return target;
}

bool Abandoned(Exchange& exchange)
{
    std::lock_guard<std::mutex> lock(exchange.mutex);
    return exchange.abandoned;
}

// Opens the request; nullptr on failure. A plain one lets WinInet follow its
// redirects; an https one follows them here, each hop checked again, and
// fails on one that leads anywhere but https.
HINTERNET OpenRequest(Exchange& exchange, HINTERNET internet, const std::string& url, DWORD flags)
{
    if (!IsSecureUrl(url))
        return InternetOpenUrlA(internet, url.c_str(), nullptr, 0, flags, RequestContext);
    flags |= INTERNET_FLAG_SECURE | INTERNET_FLAG_NO_AUTO_REDIRECT;
    std::string target = url;
    for (int hop = 0; hop <= MaxRedirects && !Abandoned(exchange); ++hop) {
        HINTERNET request = InternetOpenUrlA(internet, target.c_str(), nullptr, 0, flags, RequestContext);
        if (request == nullptr || !IsRedirect(ReadStatus(request)))
            return request;
        target = RedirectTarget(request, target);
        InternetCloseHandle(request);
        if (!IsSecureUrl(target))
            return nullptr;
    }
    return nullptr;
}

void Finish(Exchange& exchange, int result)
{
    std::lock_guard<std::mutex> lock(exchange.mutex);
    exchange.done = true;
    exchange.result = result;
    exchange.changed.notify_all();
}

// Open, then read until the end, a failure or the caller walking away.
// WinInet takes a connection closed early for the end of the body, so a
// body shorter than its announced length is a failure here.
int ReadAnswer(Exchange& exchange, HINTERNET internet, const std::string& url, DWORD flags,
               uint32_t stallTimeoutMs, bool readBody)
{
    const InternetHandle request{OpenRequest(exchange, internet, url, flags)};
    if (request.handle == nullptr)
        return 1;
    SetTimeout(request.handle, INTERNET_OPTION_RECEIVE_TIMEOUT, stallTimeoutMs);
    const int64_t announced = ContentLength(request.handle);
    {
        std::lock_guard<std::mutex> lock(exchange.mutex);
        if (exchange.abandoned)
            return 1;
        exchange.heard = true;
        exchange.status = ReadStatus(request.handle);
        exchange.lastActivity = Clock::now();
        exchange.changed.notify_all();
    }
    int64_t received = 0;
    char buffer[HttpChunkSize];
    while (readBody) {
        {
            std::unique_lock<std::mutex> lock(exchange.mutex);
            exchange.changed.wait(lock, [&] {
                return exchange.abandoned || exchange.chunks.size() < ReadAheadChunks;
            });
            if (exchange.abandoned)
                return 1;
        }
        DWORD got = 0;
        if (!InternetReadFile(request.handle, buffer, sizeof buffer, &got))
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

// The helper thread of one request. It may outlive the request and the
// session: it holds what it uses.
void RunRequest(const std::shared_ptr<Exchange>& exchange, const std::shared_ptr<InternetHandle>& internet,
                const std::string& url, DWORD flags, uint32_t stallTimeoutMs, bool readBody)
{
    threadExchange = exchange.get();
    int result = 1;
    try {
        result = ReadAnswer(*exchange, internet->handle, url, flags, stallTimeoutMs, readBody);
    } catch (const std::exception&) {
        result = 1; // out of memory for a chunk: a failed request
    }
    threadExchange = nullptr;
    Finish(*exchange, result);
}

// Tells the helper to stop on every way out of HttpGet, a throwing sink
// included.
struct AbandonOnExit {
    Exchange& exchange;
    ~AbandonOnExit()
    {
        std::lock_guard<std::mutex> lock(exchange.mutex);
        exchange.abandoned = true;
        exchange.changed.notify_all();
    }
};

// The request flags WinInet sends for each kind of body.
DWORD RequestFlags(HttpBody body)
{
    return INTERNET_FLAG_NO_CACHE_WRITE |
           (body == HttpBody::Text ? FTP_TRANSFER_TYPE_ASCII : FTP_TRANSFER_TYPE_BINARY);
}

// Takes the request's news on the calling thread until it is done, or until
// the watch or the sink ends it.
int Follow(Exchange& exchange, TransferWatch& watch, const HttpChunkSink& sink, HttpAnswer& answer)
{
    std::unique_lock<std::mutex> lock(exchange.mutex);
    for (;;) {
        answer.status = exchange.status;
        while (!exchange.chunks.empty()) {
            const std::string chunk = std::move(exchange.chunks.front());
            exchange.chunks.pop_front();
            exchange.changed.notify_all();
            if (watch.Take(chunk.size()) != TransferEnd::Going)
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
        if (exchange.heard)
            watch.Heard(exchange.lastActivity);
        lock.unlock();
        const TransferEnd end = watch.Check(Clock::now());
        lock.lock();
        if (end != TransferEnd::Going)
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
    session->internet = std::make_shared<InternetHandle>(internet);
    return session;
}

void HttpCloseSession(HttpSession* session)
{
    // Helpers still blocked keep the internet handle until they end.
    delete session;
}

int HttpGet(HttpSession* session, const std::string& url, HttpBody body, const HttpLimits& limits,
            const HttpChunkSink& sink, HttpAnswer& answer)
{
    answer = HttpAnswer{};
    if (session == nullptr)
        return 1;
    TransferWatch watch(limits, Clock::now());
    if (watch.Check(Clock::now()) != TransferEnd::Going)
        return 1;
    HINTERNET internet = session->internet->handle;
    // A host that never accepts fails after the connect time; the watch
    // judges everything after that.
    SetTimeout(internet, INTERNET_OPTION_CONNECT_TIMEOUT, limits.connectTimeoutMs);
    SetTimeout(internet, INTERNET_OPTION_SEND_TIMEOUT, limits.stallTimeoutMs);
    SetTimeout(internet, INTERNET_OPTION_RECEIVE_TIMEOUT, limits.stallTimeoutMs);

    auto exchange = std::make_shared<Exchange>();
    HelperThread helper;
    const bool readBody = bool(sink);
    const DWORD flags = RequestFlags(body);
    if (helper.Start([exchange, internet = session->internet, url, flags, stall = limits.stallTimeoutMs, readBody] {
            RunRequest(exchange, internet, url, flags, stall, readBody);
        }) != 0)
        return 1;
    AbandonOnExit abandon{*exchange};
    const HttpChunkSink ignore = [](const char*, size_t) { return true; };
    return Follow(*exchange, watch, sink ? sink : ignore, answer);
}
