// The request primitive on libcurl. One easy handle, reused for the whole
// session, runs inside a multi handle so the wait can be sliced: between
// slices the request asks its TransferWatch whether to go on, which a plain
// blocking transfer could not do while waiting for the first byte. The
// callbacks only report progress to the watch.
// Proxies come from the usual environment variables (http_proxy, no_proxy),
// as libcurl reads them by default.
// An https service is held to it: the peer's certificate and name are checked
// against the system's CAs, and neither the request nor a redirect may leave
// https, so a certificate error or a redirect to http is a failed request.

#include "service/HttpRequest.h"
#include "service/RequestUrl.h"
#include "service/TransferWatch.h"

#include <curl/curl.h>

#include <chrono>
#include <cstdlib>
#include <string>

struct HttpSession {
    CURL* easy = nullptr;
    CURLM* multi = nullptr;
    // Another trust store named by OpenSSL's variables, which libcurl itself
    // doesn't read (the curl program does); empty: libcurl's own.
    std::string caFile;
    std::string caFolder;
};

namespace {

using Clock = std::chrono::steady_clock;

// How long one wait for network activity lasts before the watch is asked again.
constexpr int PollSliceMs = 20;

struct Transfer {
    CURL* easy = nullptr;
    const HttpChunkSink* sink = nullptr;
    HttpAnswer* answer = nullptr;
    TransferWatch* watch = nullptr;
    bool headersDone = false; // a final status line and its headers have arrived
    bool stopped = false;     // the sink or the cap ended the body
};

void NoteStatus(Transfer& transfer)
{
    long code = 0;
    curl_easy_getinfo(transfer.easy, CURLINFO_RESPONSE_CODE, &code);
    transfer.answer->status = static_cast<int>(code);
}

size_t OnHeader(char* data, size_t size, size_t count, void* user)
{
    auto& transfer = *static_cast<Transfer*>(user);
    const size_t length = size * count;
    transfer.watch->Heard(Clock::now());
    const bool blankLine = length == 0 || data[0] == '\r' || data[0] == '\n';
    if (blankLine) {
        NoteStatus(transfer);
        const int status = transfer.answer->status;
        if (status >= 200 || status < 100) {
            transfer.headersDone = true;
            if (transfer.sink == nullptr)
                return 0; // the probe has its answer; don't read the body
        }
    }
    return length;
}

size_t OnBody(char* data, size_t size, size_t count, void* user)
{
    auto& transfer = *static_cast<Transfer*>(user);
    const size_t length = size * count;
    transfer.watch->Heard(Clock::now());
    if (transfer.answer->status == 0)
        NoteStatus(transfer);
    if (transfer.sink == nullptr)
        return 0;
    if (transfer.watch->Take(length) != TransferEnd::Going) {
        transfer.stopped = true;
        return 0;
    }
    transfer.answer->bytes += length;
    for (size_t offset = 0; offset < length; offset += HttpChunkSize) {
        const size_t piece = length - offset < HttpChunkSize ? length - offset : HttpChunkSize;
        if (!(*transfer.sink)(data + offset, piece)) {
            transfer.stopped = true;
            return 0;
        }
    }
    return length;
}

// Called once the connection stands: from now on silence counts as a stall.
int OnConnected(void* user, char*, char*, int, int)
{
    static_cast<Transfer*>(user)->watch->Heard(Clock::now());
    return CURL_PREREQFUNC_OK;
}

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

void SetSecurityOptions(const HttpSession& session, const std::string& url)
{
    CURL* easy = session.easy;
    // Redirects are followed as WinInet follows them, but never from https
    // down to http: the scheme of the first request is the only one allowed.
    const char* scheme = IsSecureUrl(url) ? "https" : "http";
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, scheme);
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, scheme);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!session.caFile.empty())
        curl_easy_setopt(easy, CURLOPT_CAINFO, session.caFile.c_str());
    if (!session.caFolder.empty())
        curl_easy_setopt(easy, CURLOPT_CAPATH, session.caFolder.c_str());
}

void SetRequestOptions(CURL* easy, const std::string& url, const HttpLimits& limits, Transfer& transfer)
{
    curl_easy_reset(easy); // keeps the connection cache
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(easy, CURLOPT_USERAGENT, "Zembria Screensaver");
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    // A host that never accepts fails after the connect time; the watch
    // judges everything after that.
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connectTimeoutMs));
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(easy, CURLOPT_PREREQFUNCTION, OnConnected);
    curl_easy_setopt(easy, CURLOPT_PREREQDATA, &transfer);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, OnHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &transfer);
}

} // namespace

HttpSession* HttpOpenSession()
{
    static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    if (!ready)
        return nullptr;
    auto* session = new HttpSession;
    session->easy = curl_easy_init();
    session->multi = curl_multi_init();
    session->caFile = Environment("SSL_CERT_FILE");
    session->caFolder = Environment("SSL_CERT_DIR");
    if (session->easy == nullptr || session->multi == nullptr) {
        HttpCloseSession(session);
        return nullptr;
    }
    return session;
}

void HttpCloseSession(HttpSession* session)
{
    if (session == nullptr)
        return;
    if (session->easy != nullptr)
        curl_easy_cleanup(session->easy);
    if (session->multi != nullptr)
        curl_multi_cleanup(session->multi);
    delete session;
}

int HttpGet(HttpSession* session, const std::string& url, HttpBody /*body*/, const HttpLimits& limits,
            const HttpChunkSink& sink, HttpAnswer& answer)
{
    // The body's kind only steers WinInet's cache and transfer mode; libcurl
    // keeps no cache and always moves the bytes as they are.
    answer = HttpAnswer{};
    if (session == nullptr)
        return 1;

    TransferWatch watch(limits, Clock::now());
    Transfer transfer;
    transfer.easy = session->easy;
    transfer.sink = sink ? &sink : nullptr;
    transfer.answer = &answer;
    transfer.watch = &watch;
    SetRequestOptions(session->easy, url, limits, transfer);
    SetSecurityOptions(*session, url);
    if (curl_multi_add_handle(session->multi, session->easy) != CURLM_OK)
        return 1;

    bool finished = false;
    CURLcode code = CURLE_OK;
    for (;;) {
        if (watch.Check(Clock::now()) != TransferEnd::Going)
            break;
        int running = 0;
        if (curl_multi_perform(session->multi, &running) != CURLM_OK)
            break;
        if (running == 0) {
            int queued = 0;
            while (CURLMsg* message = curl_multi_info_read(session->multi, &queued)) {
                if (message->msg == CURLMSG_DONE) {
                    finished = true;
                    code = message->data.result;
                }
            }
            break;
        }
        curl_multi_poll(session->multi, nullptr, 0, PollSliceMs, nullptr);
    }
    curl_multi_remove_handle(session->multi, session->easy);

    if (!finished)
        return 1;
    if (answer.status == 0)
        NoteStatus(transfer);
    if (transfer.sink == nullptr)
        return transfer.headersDone || (code == CURLE_OK && answer.status != 0) ? 0 : 1;
    return code == CURLE_OK && !transfer.stopped ? 0 : 1;
}
