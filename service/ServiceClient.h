#pragma once
// The saver's only network component: the session with the picture service,
// the request templates, the information exchange and the picture download.

#include "service/HttpRequest.h"
#include "settings/KeyValueList.h"

#include <cstdint>
#include <functional>
#include <string>

class ServiceClient {
public:
    ServiceClient() = default;
    ~ServiceClient();
    ServiceClient(const ServiceClient&) = delete;
    ServiceClient& operator=(const ServiceClient&) = delete;

    // 0 sets "de", 1 sets "en"; any other index leaves the language alone.
    void SetLanguage(int index);
    bool IsConnected() const { return connected; }
    // Opens the session and probes the service; 0 when it answered, 1 otherwise.
    int Connect(const std::string& serviceHost, const std::string& memberLogin, const std::string& memberCode);
    // Empties the store and fills it from get-infos.php; 0 when the answer
    // was a success status and gave at least one entry.
    int FetchInfos(KeyValueList& infoStore);
    // Fetches the picture fileName ("" for the service's default) into
    // directory and sets ImageFullPath in the store; 0 when the whole picture
    // is in place.
    int DownloadPicture(const std::string& fileName, const std::string& directory, int width, int height,
                        KeyValueList& infoStore);

    std::string language = "en";
    HttpSession* session = nullptr;
    bool connected = false;
    std::string host;
    std::string login;
    std::string code;

    // What keeps a request from hanging the saver; the tests shorten them.
    uint32_t connectTimeoutMs = 10000;
    uint32_t stallTimeoutMs = 20000;
    uint32_t infoDeadlineMs = 20000;
    uint32_t pictureDeadlineMs = 60000;
    uint64_t infoCapBytes = uint64_t{1} << 20;
    uint64_t pictureCapBytes = uint64_t{64} << 20;
    // Asked between reads; true ends the request at once. The controller
    // hands on the host's check for a key, a click or a mouse move.
    std::function<bool()> inputPending;

    HttpLimits Limits(uint64_t capBytes, uint32_t deadlineMs) const;
};
