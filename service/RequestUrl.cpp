// URL expansion of the request templates.

#include "service/RequestUrl.h"

#include <cctype>
#include <utility>

namespace {

bool StartsWithNoCase(const std::string& text, const char* prefix)
{
    for (size_t i = 0; prefix[i] != '\0'; ++i)
        if (i >= text.size() || std::tolower(static_cast<unsigned char>(text[i])) != prefix[i])
            return false;
    return true;
}

void ReplaceAll(std::string& text, const std::string& placeholder, const std::string& value)
{
    size_t at = text.find(placeholder);
    while (at != std::string::npos) {
        text.replace(at, placeholder.size(), value);
        // Carry on after the inserted value: a value that contains its own
        // placeholder must not be expanded again and again.
        at = text.find(placeholder, at + value.size());
    }
}

} // namespace

std::string ServiceBaseUrl(const std::string& host)
{
    std::string base = StartsWithNoCase(host, "http://") || StartsWithNoCase(host, "https://") ? host : "http://" + host;
    const size_t hostStart = base.find("://") + 3;
    while (base.size() > hostStart && base.back() == '/')
        base.pop_back();
    return base;
}

bool IsSecureUrl(const std::string& url)
{
    return StartsWithNoCase(url, "https://");
}

std::string ExpandUrl(const std::string& requestTemplate, const UrlValues& values)
{
    std::string url = ServiceBaseUrl(values.host) + "/" + requestTemplate;
    const std::pair<const char*, std::string> replacements[] = {
        {"<LangAbbrev>", values.language},
        {"<User>", values.login},
        {"<PassWd>", values.code},
        {"<ImgWidth>", std::to_string(values.width)},
        {"<ImgHeight>", std::to_string(values.height)},
    };
    for (const auto& [placeholder, value] : replacements)
        ReplaceAll(url, placeholder, value);
    return url;
}

std::string EncodeRequestUrl(const std::string& url)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(url.size());
    for (const char c : url) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F || c == '#') {
            encoded += '%';
            encoded += hex[byte >> 4];
            encoded += hex[byte & 0x0F];
        } else {
            encoded += c;
        }
    }
    return encoded;
}
