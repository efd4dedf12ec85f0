// Splitting a text answer into lines as its chunks arrive.

#include "service/AnswerLines.h"

#include <cstring>

bool LineSplitter::Feed(const char* data, size_t size)
{
    const char* end = data + size;
    while (data < end) {
        const char* feed = static_cast<const char*>(memchr(data, '\n', static_cast<size_t>(end - data)));
        if (feed == nullptr) {
            pending.append(data, end);
            return true;
        }
        pending.append(data, feed);
        data = feed + 1;
        std::string line;
        line.swap(pending);
        if (!sink(line))
            return false;
    }
    return true;
}

bool LineSplitter::Finish()
{
    if (pending.empty())
        return true;
    std::string line;
    line.swap(pending);
    return sink(line);
}
