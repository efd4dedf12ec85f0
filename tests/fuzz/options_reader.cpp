// The options and dictionary reader on any bytes: no fault, and lines are
// lines whatever ends them (no key or value holds a line end or a NUL).

#include "settings/OptionsFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    KeyValueList list;
    ParseLines(text, list);
    long index = 0;
    std::string key, value;
    while (index != KeyValueList::None && list.NextPair(index, key, value) == 0) {
        if (key.empty() || key.find_first_of(std::string("\r\n\0", 3)) != std::string::npos ||
            value.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
            std::abort();
    }
    return 0;
}
