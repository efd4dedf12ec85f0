// The session of the service client: language, connection and the probe.

#include "service/ServiceClient.h"

#include "service/RequestUrl.h"

ServiceClient::~ServiceClient()
{
    HttpCloseSession(session);
}

void ServiceClient::SetLanguage(int index)
{
    if (index == 0)
        language = "de";
    else if (index == 1)
        language = "en";
}

HttpLimits ServiceClient::Limits(uint64_t capBytes, uint32_t deadlineMs) const
{
    HttpLimits limits;
    limits.deadlineMs = deadlineMs;
    limits.connectTimeoutMs = connectTimeoutMs;
    limits.stallTimeoutMs = stallTimeoutMs;
    limits.maxBytes = capBytes;
    limits.inputPending = inputPending;
    return limits;
}

int ServiceClient::Connect(const std::string& serviceHost, const std::string& memberLogin,
                           const std::string& memberCode)
{
    login = memberLogin;
    code = memberCode;
    HttpCloseSession(session);
    session = HttpOpenSession();

    const UrlValues values{serviceHost, language, login, code, 0, 0};
    const std::string url = EncodeRequestUrl(ExpandUrl(InfoTemplate, values));
    HttpAnswer answer;
    // Any HTTP answer proves the service is there; the body isn't read.
    const HttpLimits limits = Limits(infoCapBytes, infoDeadlineMs);
    if (session != nullptr && HttpGet(session, url, HttpBody::Text, limits, nullptr, answer) == 0) {
        connected = true;
        host = serviceHost;
        return 0;
    }
    connected = false;
    host.clear();
    return 1;
}
