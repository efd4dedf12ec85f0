// The request primitive on WinInet: one internet session for the run, one
// InternetOpenUrlA per request, the body read with InternetReadFile through
// a buffer of HttpChunkSize bytes. The connect and receive time-outs keep a
// silent server from holding the saver; between reads the request looks for
// user input.

#include "service/HttpRequest.h"

#include <windows.h>
#include <wininet.h>

struct HttpSession {
    HINTERNET internet = nullptr;
};

namespace {

constexpr DWORD_PTR RequestContext = 1;

void SetTimeout(HINTERNET handle, DWORD option, uint32_t milliseconds)
{
    DWORD value = milliseconds;
    InternetSetOptionA(handle, option, &value, sizeof value);
}

bool InputPending(const HttpLimits& limits)
{
    return limits.inputPending != nullptr && limits.inputPending();
}

int ReadStatus(HINTERNET request)
{
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
        return 0;
    return static_cast<int>(status);
}

int ReadBody(HINTERNET request, const HttpLimits& limits, const HttpChunkSink& sink, HttpAnswer& answer)
{
    char buffer[HttpChunkSize];
    for (;;) {
        if (InputPending(limits))
            return 1;
        DWORD got = 0;
        if (!InternetReadFile(request, buffer, sizeof buffer, &got))
            return 1;
        if (got == 0)
            return 0;
        if (limits.maxBytes != 0 && answer.bytes + got > limits.maxBytes)
            return 1;
        answer.bytes += got;
        if (!sink(buffer, got))
            return 1;
    }
}

} // namespace

HttpSession* HttpOpenSession()
{
    HINTERNET internet = InternetOpenA("Zembria Screensaver", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr,
                                       INTERNET_FLAG_DONT_CACHE);
    if (internet == nullptr)
        return nullptr;
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
    if (session == nullptr || InputPending(limits))
        return 1;
    SetTimeout(session->internet, INTERNET_OPTION_CONNECT_TIMEOUT, limits.connectTimeoutMs);
    SetTimeout(session->internet, INTERNET_OPTION_SEND_TIMEOUT, limits.stallTimeoutMs);
    SetTimeout(session->internet, INTERNET_OPTION_RECEIVE_TIMEOUT, limits.stallTimeoutMs);

    HINTERNET request = InternetOpenUrlA(session->internet, url.c_str(), nullptr, 0, flags, RequestContext);
    if (request == nullptr)
        return 1;
    answer.status = ReadStatus(request);
    const int result = sink ? ReadBody(request, limits, sink, answer) : 0;
    InternetCloseHandle(request);
    return result;
}
