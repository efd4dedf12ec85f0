#pragma once
// The saver's only network component: the session with the picture service,
// the request templates, the information exchange and the picture download.

#include "settings/KeyValueList.h"

#include <string>

struct HttpSession; // per platform: WinInet or libcurl

class ServiceClient {
public:
    ~ServiceClient();

    void SetLanguage(int index);
    bool IsConnected() const { return connected; }
    int Connect(const std::string& serviceHost, const std::string& memberLogin, const std::string& memberCode);
    int FetchInfos(KeyValueList& infoStore);
    int DownloadPicture(const std::string& fileName, const std::string& directory, int width, int height, KeyValueList& infoStore);

    std::string language = "en";
    HttpSession* session = nullptr;
    bool connected = false;
    std::string host;
    std::string login;
    std::string code;
};
