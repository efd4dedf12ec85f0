// INTERIM, test-only: a driven clock and a timer record standing in for the
// recording platform until it is in the tree. CMake compiles this file only
// while tests/support/ holds no recording platform.

#include "platform/Platform.h"
#include "tests/slideshow/TestPlatform.h"

#include <mutex>

namespace {

std::mutex mutex;
int64_t now = 0;
std::vector<TimerEvent> events;

} // namespace

void SetTestNow(int64_t seconds)
{
    std::lock_guard<std::mutex> lock(mutex);
    now = seconds;
}

std::vector<TimerEvent> TimerEvents()
{
    std::lock_guard<std::mutex> lock(mutex);
    return events;
}

void ClearTimerEvents()
{
    std::lock_guard<std::mutex> lock(mutex);
    events.clear();
}

int PlatformMessageBox(WindowHandle, const std::string&, const std::string&, unsigned) { return 1; }

uint32_t PlatformSetTimer(WindowHandle, uint32_t id, uint32_t milliseconds)
{
    std::lock_guard<std::mutex> lock(mutex);
    events.push_back({true, id, milliseconds});
    return id;
}

bool PlatformKillTimer(WindowHandle, uint32_t id)
{
    std::lock_guard<std::mutex> lock(mutex);
    events.push_back({false, id, 0});
    return true;
}

bool PlatformPostMessage(WindowHandle, unsigned, MessageParam, MessageData) { return true; }
MessageResult PlatformSendMessage(WindowHandle, unsigned, MessageParam, MessageData) { return 0; }
uint32_t PlatformTickCount() { return static_cast<uint32_t>(now * 1000); }
void PlatformSleep(uint32_t) {}

int64_t PlatformNow()
{
    std::lock_guard<std::mutex> lock(mutex);
    return now;
}
