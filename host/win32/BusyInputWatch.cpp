#include "host/win32/BusyInputWatch.h"

#include "host/SaverContext.h"
#include "host/win32/PlatformHostState.h"
#include "host/win32/BusyInputRule.h"

#include <windows.h>

namespace {

constexpr DWORD PollMs = 10;

BOOL CALLBACK FindBox(HWND window, LPARAM found)
{
    char name[8] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32770") != 0) return TRUE;
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

// Every message box the saver shows is made on its window's thread (the
// device's own error included), so that thread's dialogs are all of them.
BusyInputLook LookNow(DWORD windowThread)
{
    BusyInputLook look;
    EnumThreadWindows(windowThread, FindBox, reinterpret_cast<LPARAM>(&look.boxUp));
    POINT now;
    look.cursorRead = GetCursorPos(&now) != FALSE;
    if (look.cursorRead) look.cursor = PlatformPoint{now.x, now.y};
    for (int key = 1; key < Vk::Count; ++key)
        look.down[key] = (GetAsyncKeyState(key) & 0x8000) != 0;
    return look;
}

class Watch {
public:
    explicit Watch(const PlatformPoint& start)
        : windowThread(GetCurrentThreadId()), rule(start, LookNow(windowThread))
    {
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
    static DWORD WINAPI Loop(void* self)
    {
        Watch& watch = *static_cast<Watch*>(self);
        while (WaitForSingleObject(watch.stop, PollMs) == WAIT_TIMEOUT)
            if (watch.rule.Closes(LookNow(watch.windowThread))) TerminateProcess(GetCurrentProcess(), 0);
        return 0;
    }

    const DWORD windowThread;
    BusyInputRule rule;
    HANDLE stop = nullptr;
    HANDLE thread = nullptr;
};

} // namespace

std::shared_ptr<void> WatchInputWhileBusy(SaverContext& context)
{
    if (context.mode.PreviewMode || context.host.childPreview || context.platform->olderFamily ||
        context.platform->verifier != nullptr)
        return nullptr;
    return std::make_shared<Watch>(context.host.startPosition);
}
