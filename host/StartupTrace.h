#pragma once
// The start-up's steps as they happen, for the start-up benchmark: with the
// environment's ZEMBRIA_STARTUP_TRACE naming a file, each step appends a line
// "<milliseconds since 1970> <step>" to it. Without it nothing is written.

#include <cstdio>

class StartupTrace {
public:
    StartupTrace() = default;
    StartupTrace(const StartupTrace&) = delete;
    StartupTrace& operator=(const StartupTrace&) = delete;
    ~StartupTrace();

    // Opens the file the environment names, if any.
    void OpenFromEnvironment();
    void Step(const char* step) const;
    // A step that names a window: "<step> <handle>", so that what the
    // graphics library was told can be matched to it.
    void Step(const char* step, const void* window) const;

private:
    std::FILE* file = nullptr;
};
