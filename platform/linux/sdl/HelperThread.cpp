// A helper thread on Linux: a detached std::thread that says when it is done.

#include "platform/HelperThread.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

struct HelperThread::Shared {
    std::mutex mutex;
    std::condition_variable doneChanged;
    bool done = false;
};

HelperThread::~HelperThread() = default;

int32_t HelperThread::Start(std::function<void()> work)
{
    auto state = std::make_shared<Shared>();
    try {
        std::thread([state, work = std::move(work)] {
            work();
            std::lock_guard<std::mutex> lock(state->mutex);
            state->done = true;
            state->doneChanged.notify_all();
        }).detach();
    } catch (const std::system_error&) {
        return 1;
    }
    shared = state;
    return 0;
}

bool HelperThread::Wait(uint32_t milliseconds)
{
    if (shared == nullptr) return true;
    std::unique_lock<std::mutex> lock(shared->mutex);
    return shared->doneChanged.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return shared->done; });
}
