#pragma once
// The one request primitive of the service client: a GET of a whole URL on
// the session, the answer's body handed over in chunks, the HTTP status
// reported. WinInet on Windows (service/win32), libcurl elsewhere
// (service/linux); the portable code above it never sees either.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

struct HttpSession; // per platform

// What the body is; the transport picks its request flags from it.
enum class HttpBody {
    Text,   // get-infos.php
    Binary, // get-images.php
};

// The largest piece of a body handed over at once: the read buffer's size.
constexpr size_t HttpChunkSize = 2000;

// What keeps a request from hanging the saver: it fails when the connection
// isn't made in time, when no byte arrives for the stall time, when the whole
// request outlasts its deadline (a server trickling a byte now and then never
// stalls), when the body grows beyond the cap, or as soon as the user touches
// a key or the mouse. service/TransferWatch judges them.
struct HttpLimits {
    uint32_t connectTimeoutMs = 10000;
    uint32_t stallTimeoutMs = 20000;
    uint32_t deadlineMs = 0; // 0: none
    uint64_t maxBytes = 0; // 0: no cap
    std::function<bool()> inputPending; // empty: never
};

// The status of the answer, known before its first chunk; 0 until then.
struct HttpAnswer {
    int status = 0;
    uint64_t bytes = 0;
};

// Receives each chunk (at most HttpChunkSize bytes); false stops the request.
using HttpChunkSink = std::function<bool(const char* data, size_t size)>;

// nullptr when the platform can't make a session.
HttpSession* HttpOpenSession();
void HttpCloseSession(HttpSession* session);

// GETs url, its body of the given kind. With a sink, the body is read to its end and
// handed to the sink; without one the answer is closed as soon as its status
// line and headers have arrived (the probe). Returns 0 when that succeeded,
// 1 on any failure: no session, no connection, a broken, stalled or overdue
// transfer, a body shorter than its announced Content-Length, the cap, user
// input, or a sink that said stop. A sink that throws ends the request too;
// the exception then leaves HttpGet.
int HttpGet(HttpSession* session, const std::string& url, HttpBody body, const HttpLimits& limits,
            const HttpChunkSink& sink, HttpAnswer& answer);
