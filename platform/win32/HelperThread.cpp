// A helper thread on Windows. The waiting thread owns windows: it keeps
// answering messages sent to them, so work that sends one can't deadlock.

#include "platform/HelperThread.h"

#include <windows.h>

struct HelperThread::Shared {
    HANDLE thread = nullptr;
    ~Shared()
    {
        if (thread != nullptr) CloseHandle(thread);
    }
};

namespace {

DWORD WINAPI RunWork(void* parameter)
{
    auto* run = static_cast<std::function<void()>*>(parameter);
    (*run)();
    delete run;
    return 0;
}

} // namespace

HelperThread::~HelperThread() = default;

int32_t HelperThread::Start(std::function<void()> work)
{
    auto state = std::make_shared<Shared>();
    // The thread keeps the state (its own handle) alive until the work is done.
    auto* run = new std::function<void()>([state, work = std::move(work)] { work(); });
    // Suspended until the handle is stored: the thread may be the last owner.
    state->thread = CreateThread(nullptr, 0, RunWork, run, CREATE_SUSPENDED, nullptr);
    if (state->thread == nullptr) {
        delete run;
        return 1;
    }
    shared = state;
    ResumeThread(state->thread);
    return 0;
}

bool HelperThread::Wait(uint32_t milliseconds)
{
    if (shared == nullptr) return true;
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        const DWORD left = elapsed < milliseconds ? milliseconds - elapsed : 0;
        const DWORD woken = MsgWaitForMultipleObjects(1, &shared->thread, FALSE, left, QS_SENDMESSAGE);
        if (woken == WAIT_OBJECT_0) return true;
        if (woken != WAIT_OBJECT_0 + 1) return false;
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE); // delivers the sent messages
    }
}
