// INTERIM, test-only: a driven clock and a timer record standing in for the
// recording platform until it is in the tree. CMake compiles this file only
// while tests/support/ holds no recording platform.

#include "platform/Platform.h"
#include "tests/slideshow/TestPlatform.h"

namespace {

int64_t now = 0;
std::vector<ArmedTimer> armed;
std::vector<uint32_t> killed;

} // namespace

void SetTestNow(int64_t seconds) { now = seconds; }
std::vector<ArmedTimer> ArmedTimers() { return armed; }
std::vector<uint32_t> KilledTimers() { return killed; }

void ClearTimerRecord()
{
    armed.clear();
    killed.clear();
}

int PlatformMessageBox(WindowHandle, const std::string&, const std::string&, unsigned) { return 1; }

uint32_t PlatformSetTimer(WindowHandle, uint32_t id, uint32_t milliseconds)
{
    armed.push_back({id, milliseconds});
    return id;
}

bool PlatformKillTimer(WindowHandle, uint32_t id)
{
    killed.push_back(id);
    return true;
}

bool PlatformPostMessage(WindowHandle, unsigned, MessageParam, MessageData) { return true; }
MessageResult PlatformSendMessage(WindowHandle, unsigned, MessageParam, MessageData) { return 0; }
uint32_t PlatformTickCount() { return static_cast<uint32_t>(now * 1000); }
void PlatformSleep(uint32_t) {}
int64_t PlatformNow() { return now; }
