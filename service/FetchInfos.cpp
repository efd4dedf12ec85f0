// The information exchange: get-infos.php read into the information store.

#include "service/AnswerLines.h"
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
    size_t added = 0;
    LineSplitter lines([&](const std::string& line) {
        std::string key;
        std::string value;
        if (ParseInfoLine(line, key, value)) {
            infoStore.AddPair(key, value);
            ++added;
        }
        return added < MaxInfoEntries; // the rest of a longer answer isn't read
    });
    // An error page is not the service's answer: stop before its first line.
    const HttpChunkSink sink = [&](const char* data, size_t size) {
        return IsSuccessStatus(answer.status) && lines.Feed(data, size);
    };
    const int result = HttpGet(session, url, HttpFlags::Text, Limits(infoCapBytes, infoDeadlineMs), sink, answer);
    const bool full = added >= MaxInfoEntries;
    if ((result != 0 && !full) || !IsSuccessStatus(answer.status))
        return 1;
    if (!full)
        lines.Finish();
    return added > 0 ? 0 : 1;
}
