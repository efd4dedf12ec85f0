// URL expansion and the picture-name rule on any values: the request line
// never holds a byte that could end or split it, and a name the rule takes
// is a plain picture name that travels unencoded.

#include "platform/FileName.h"
#include "service/RequestUrl.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Fields separated by NUL bytes: host, language, login, code, file name.
std::vector<std::string> Fields(const uint8_t* data, size_t size)
{
    std::vector<std::string> fields(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0 && fields.size() < 5)
            fields.emplace_back();
        else
            fields.back() += static_cast<char>(data[i]);
    }
    fields.resize(5);
    return fields;
}

bool IsNameCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '_' ||
           c == '-';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<std::string> f = Fields(data, size);
    const UrlValues values{f[0], f[1], f[2], f[3], static_cast<int>(size), -static_cast<int>(size)};
    const std::string url = EncodeRequestUrl(ExpandUrl(ImageTemplate, values) + "&sFileName=" + f[4]);
    for (const char c : url) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F || c == '#')
            std::abort();
    }
    const std::string& name = f[4];
    if (IsPictureFileName(name)) {
        if (name.size() > MaxPictureNameLength || name.size() < 5 || name[0] == '.' || name[0] == '-')
            std::abort();
        for (const char c : name)
            if (!IsNameCharacter(c))
                std::abort();
        if (url.compare(url.size() - name.size(), name.size(), name) != 0)
            std::abort();
    }
    return 0;
}
