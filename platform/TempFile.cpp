#include "platform/TempFile.h"

#include <atomic>

int CreateTempFileFor(const std::string& target, std::string& tempPath, std::FILE*& file)
{
    static std::atomic<unsigned long> counter{0};
    // A name another process left behind is skipped, never reused.
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = target + "." + std::to_string(CurrentProcessId()) + "-" + std::to_string(++counter) + ".tmp";
        file = OpenNewFile(tempPath);
        if (file != nullptr)
            return 0;
    }
    return 1;
}
