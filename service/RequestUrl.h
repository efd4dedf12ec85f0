#pragma once
// The service's request templates and how a URL is made from them.

#include <string>

constexpr const char* InfoTemplate =
    "get-infos.php?sLogin=<User>&sCode=<PassWd>&sVers=1.0.0&sLang=<LangAbbrev>&sTransaction=";
constexpr const char* ImageTemplate =
    "get-images.php?sLogin=<User>&sCode=<PassWd>&sVers=1.0.0&sLang=<LangAbbrev>&sTransaction="
    "&iWidth=<ImgWidth>&iHeight=<ImgHeight>";

struct UrlValues {
    std::string host;
    std::string language;
    std::string login;
    std::string code;
    int width = 0;
    int height = 0;
};

// The service's address as the URLs start: a host given with "http://" or
// "https://" keeps its scheme, a bare HOST[:PORT] gets "http://" (the
// service's own); trailing slashes go, since the templates bring their own.
std::string ServiceBaseUrl(const std::string& host);

// Whether url is https (any case of the scheme): certificates are checked and
// no redirect may lead away from it.
bool IsSecureUrl(const std::string& url);

// The service's base URL, "/" and the template, then each placeholder replaced
// in turn (<LangAbbrev>, <User>, <PassWd>, <ImgWidth>, <ImgHeight>), every
// occurrence in the whole URL built so far, the values inserted as they are.
std::string ExpandUrl(const std::string& requestTemplate, const UrlValues& values);

// The URL as it leaves in the request line: bytes that can't stand there
// (blank, control characters, bytes from 0x80) and the fragment mark "#",
// which would cut the query short, are percent-encoded; "&", "=" and
// everything else stays as it is.
std::string EncodeRequestUrl(const std::string& url);
