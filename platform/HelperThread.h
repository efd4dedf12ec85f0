#pragma once
// Work on a thread of its own while the calling thread stays free, e.g. to
// look for input during a slow step. Work still running when its
// HelperThread goes away finishes alone, so it may only write state it owns
// (a shared_ptr it captured), never the caller's locals.

#include <cstdint>
#include <functional>
#include <memory>

class HelperThread {
public:
    HelperThread() = default;
    HelperThread(const HelperThread&) = delete;
    HelperThread& operator=(const HelperThread&) = delete;
    ~HelperThread();

    // 0 when the work runs on its thread; 1 when no thread could be started
    // (nothing runs).
    int32_t Start(std::function<void()> work);
    // Waits at most that long; true once the work is done. On Windows the
    // wait still answers messages sent to the calling thread's windows.
    bool Wait(uint32_t milliseconds);

private:
    struct Shared; // per platform
    std::shared_ptr<Shared> shared;
};
