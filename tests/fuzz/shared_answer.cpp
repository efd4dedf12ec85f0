// The answer hacks share through their cache folder, on any bytes someone
// could leave there: bounded as the service's answer is, a picture only by a
// plain name, and what is taken is written back and read again unchanged.

#include "host/CacheShare.h"
#include "platform/FileName.h"
#include "service/InfoAnswer.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    SharedAnswer read;
    if (ParseSharedAnswer(text, read) != 0)
        return 0;
    if (read.info.EntryCount() > 2 * MaxAnswerEntries || (!read.picture.empty() && !IsPictureFileName(read.picture)) ||
        read.refreshSeconds <= 0)
        std::abort();
    long index = 0;
    std::string key, value;
    while (read.info.NextPair(index, key, value) == 0)
        if (key.size() > MaxInfoValueBytes || value.size() > MaxInfoValueBytes)
            std::abort();
    const std::string written = FormatSharedAnswer(read);
    SharedAnswer again;
    if (ParseSharedAnswer(written, again) != 0 || FormatSharedAnswer(again) != written)
        std::abort();
    return 0;
}
