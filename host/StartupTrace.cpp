#include "host/StartupTrace.h"

#include <chrono>
#include <cstdlib>

StartupTrace::~StartupTrace()
{
    if (file) std::fclose(file);
}

void StartupTrace::OpenFromEnvironment()
{
    const char* path = std::getenv("ZEMBRIA_STARTUP_TRACE");
    if (path && *path && !file) file = std::fopen(path, "a");
}

void StartupTrace::Step(const char* step) const
{
    if (!file) return;
    using namespace std::chrono;
    const long long ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    std::fprintf(file, "%lld %s\n", ms, step);
    std::fflush(file);
}

void StartupTrace::Step(const char* step, const void* window) const
{
    if (!file) return;
    char line[96];
    std::snprintf(line, sizeof line, "%s %p", step, window);
    Step(line);
}
