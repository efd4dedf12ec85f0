// Stand-ins for the controller's operations of later issues, doing the least
// that keeps the saver running as a black window. Each names the issue that
// completes it; the whole file goes when they have landed.

#include "host/SaverApp.h"

// Completed by the login issue: connects, logs in and sets the information texts.
void SaverApp::Login()
{
}

// Completed by the HTTP transport issue: 0 gives "de", 1 "en", others keep the language.
void ServiceClient::SetLanguage(int index)
{
    if (index == 0) language = "de";
    else if (index == 1) language = "en";
}

// Completed by the HTTP transport issue.
int ServiceClient::Connect(const std::string&, const std::string&, const std::string&)
{
    return 1;
}

// Completed by the HTTP transport issue.
ServiceClient::~ServiceClient() = default;

// Completed by the information exchange issue: no answer, so the slide show rotates the cache.
int ServiceClient::FetchInfos(KeyValueList&)
{
    return 1;
}

// Completed by the picture download issue.
int ServiceClient::DownloadPicture(const std::string&, const std::string&, int, int, KeyValueList&)
{
    return 1;
}
