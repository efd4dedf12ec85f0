// The information exchange: get-infos.php read into the information store.

#include "service/InfoAnswer.h"
#include "service/RequestUrl.h"
#include "service/ServiceClient.h"

namespace {

bool IsSuccessStatus(int status) { return status >= 200 && status <= 299; }

} // namespace

int ServiceClient::FetchInfos(KeyValueList& infoStore)
{
    if (!connected)
        return 1;
    const UrlValues values{host, language, login, code, 0, 0};
    const std::string url = EncodeRequestUrl(ExpandUrl(InfoTemplate, values));
    // Emptied before the request, so a failed exchange leaves nothing stale.
    infoStore.Clear();

    HttpAnswer answer;
    InfoAnswerReader reader(infoStore);
    // An error page is not the service's answer: stop before its first line.
    const HttpChunkSink sink = [&](const char* data, size_t size) {
        return IsSuccessStatus(answer.status) && reader.Feed(data, size);
    };
    const int result = HttpGet(session, url, HttpBody::Text, Limits(infoCapBytes, infoDeadlineMs), sink, answer);
    // A full store stopped the request on purpose.
    if ((result != 0 && !reader.Full()) || !IsSuccessStatus(answer.status))
        return 1;
    reader.Finish();
    return reader.Added() > 0 ? 0 : 1;
}
