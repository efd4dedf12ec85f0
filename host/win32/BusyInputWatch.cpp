#include "host/win32/BusyInputWatch.h"

#include "host/SaverContext.h"

#include <windows.h>

#include <array>

namespace {

constexpr DWORD PollMs = 10;

class Watch {
public:
    explicit Watch(const PlatformPoint& start) : start(start)
    {
        for (int key = 0; key < static_cast<int>(held.size()); ++key)
            held[key] = Held(key);
        stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        if (stop != nullptr) thread = CreateThread(nullptr, 0, Loop, this, 0, nullptr);
    }
    Watch(const Watch&) = delete;
    Watch& operator=(const Watch&) = delete;
    ~Watch()
    {
        if (thread != nullptr) {
            SetEvent(stop);
            WaitForSingleObject(thread, INFINITE);
            CloseHandle(thread);
        }
        if (stop != nullptr) CloseHandle(stop);
    }

private:
    static bool Held(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

    // A key or button counts once it goes down: one held since before the
    // saver started (the click that started it, say) is no input to it.
    bool InputNow()
    {
        POINT now;
        if (GetCursorPos(&now) && CursorDistance(PlatformPoint{now.x, now.y}, start) > MouseMoveThreshold)
            return true;
        for (int key = VK_LBUTTON; key < static_cast<int>(held.size()); ++key) {
            const bool down = Held(key);
            if (down && !held[key]) return true;
            held[key] = down;
        }
        return false;
    }

    static DWORD WINAPI Loop(void* self)
    {
        Watch& watch = *static_cast<Watch*>(self);
        while (WaitForSingleObject(watch.stop, PollMs) == WAIT_TIMEOUT)
            if (watch.InputNow()) TerminateProcess(GetCurrentProcess(), 0);
        return 0;
    }

    const PlatformPoint start;
    std::array<bool, 256> held{};
    HANDLE stop = nullptr;
    HANDLE thread = nullptr;
};

} // namespace

std::shared_ptr<void> WatchInputWhileBusy(SaverContext& context)
{
    if (context.mode.PreviewMode || context.host.childPreview || context.host.olderFamily ||
        context.host.verifier != nullptr)
        return nullptr;
    return std::make_shared<Watch>(context.host.startPosition);
}
