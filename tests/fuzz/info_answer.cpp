// The information answer on any bytes, as it arrives in chunks: bounded
// (entries, value length), keys as the rule makes them, and the same store
// however the answer was cut into chunks.

#include "service/InfoAnswer.h"

#include <cstdint>
#include <cstdlib>

namespace {

// The first byte chooses the chunk size of the second reading.
KeyValueList Read(const char* text, size_t size, size_t chunk)
{
    KeyValueList store;
    InfoAnswerReader reader(store);
    for (size_t at = 0; at < size; at += chunk)
        if (!reader.Feed(text + at, std::min(chunk, size - at)))
            break;
    reader.Finish();
    return store;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const char* text = reinterpret_cast<const char*>(data) + 1;
    const size_t length = size - 1;
    const KeyValueList whole = Read(text, length, length + 1);
    const KeyValueList chunked = Read(text, length, data[0] % 16 + 1);
    if (whole.EntryCount() != chunked.EntryCount() || whole.EntryCount() > 2 * MaxInfoEntries)
        std::abort();
    long a = 0, b = 0;
    std::string key, value, otherKey, otherValue;
    while (a != KeyValueList::None && whole.NextPair(a, key, value) == 0) {
        chunked.NextPair(b, otherKey, otherValue);
        if (key != otherKey || value != otherValue || key.empty() || value.size() > MaxInfoValueBytes ||
            key.find_first_of(": \n") != std::string::npos || value.find('\n') != std::string::npos)
            std::abort();
    }
    return 0;
}
