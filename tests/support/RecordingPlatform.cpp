#include "tests/support/RecordingPlatform.h"

#include "host/win32/DirectXCheck.h"
#include "host/win32/PlatformHostState.h"
#include "platform/HelperThread.h"

#include <algorithm>
#include <new>

RecordingPlatform recording;
SaverContext saver;
PlatformHostState windowsHost;

void ResetPlatformRecording()
{
    recording = RecordingPlatform{};
    saver.~SaverContext();
    new (&saver) SaverContext();
    windowsHost = PlatformHostState{};
    saver.platform = &windowsHost;
}

int RecordingPlatform::CountPosted(unsigned message) const
{
    return static_cast<int>(std::count_if(posted.begin(), posted.end(), [message](const RecordedMessage& m) { return m.message == message; }));
}

int RecordingPlatform::CountArmed(uint32_t id) const
{
    return static_cast<int>(std::count_if(armed.begin(), armed.end(), [id](const RecordedTimer& t) { return t.id == id; }));
}

int PlatformMessageBox(WindowHandle owner, const std::string& text, const std::string& caption, BoxKind kind)
{
    recording.boxes.push_back({owner, text, caption, kind, saver.screens.First().IsCreated()});
    if (recording.whileBoxUp) recording.whileBoxUp();
    return 1;
}

uint32_t PlatformSetTimer(WindowHandle window, uint32_t id, uint32_t milliseconds)
{
    recording.armed.push_back({window, id, milliseconds});
    recording.activeTimers[id] = milliseconds;
    return id;
}

bool PlatformKillTimer(WindowHandle window, uint32_t id)
{
    recording.killed.push_back({window, id, 0});
    return recording.activeTimers.erase(id) != 0;
}

bool PlatformPostMessage(WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam)
{
    recording.posted.push_back({window, message, wParam, lParam});
    return true;
}

// Recorded as the WM_CLOSE the Windows platform posts.
void PlatformRequestClose(WindowHandle window)
{
    recording.posted.push_back({window, Msg::Close, 0, 0});
}

MessageResult PlatformSendMessage(WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam)
{
    recording.sent.push_back({window, message, wParam, lParam});
    return recording.windowProc ? recording.windowProc(window, message, wParam, lParam) : 0;
}

uint32_t PlatformTickCount()
{
    return recording.tick;
}

// Helper threads run their work at once, at a later wait, or never; every
// wait takes its time off the clock.
struct HelperThread::Shared {
    std::function<void()> work;
    int waitsLeft; // -1: never done
};

HelperThread::~HelperThread() = default;

int32_t HelperThread::Start(std::function<void()> work)
{
    const size_t started = recording.helpersStarted++;
    const int waits = started < recording.helperWaits.size() ? recording.helperWaits[started] : 0;
    if (waits == 0) {
        work();
        return 0;
    }
    shared = std::make_shared<Shared>(Shared{std::move(work), waits});
    return 0;
}

bool HelperThread::Wait(uint32_t milliseconds)
{
    if (shared == nullptr) return true;
    recording.tick += milliseconds;
    if (shared->waitsLeft < 0 || --shared->waitsLeft > 0) return false;
    const std::function<void()> work = std::move(shared->work);
    shared.reset();
    work();
    return true;
}

void PlatformSleep(uint32_t milliseconds)
{
    ++recording.sleeps;
    recording.tick += milliseconds;
}

int64_t PlatformNow()
{
    return recording.now;
}

int64_t PlatformNowMs()
{
    return recording.now * 1000 + recording.msIntoSecond;
}

MessageResult PlatformDefWindowProc(WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam)
{
    recording.defaulted.push_back({window, message, wParam, lParam});
    return 0;
}

int PlatformFollowDpiChange(WindowHandle window, MessageParam wParam, MessageData lParam)
{
    recording.dpiChanges.push_back({window, Msg::DpiChanged, wParam, lParam});
    return static_cast<int>((wParam >> 16) & 0xFFFF);
}

uint64_t PlatformDisplayLayout()
{
    return recording.displayLayout;
}

void PlatformCoverEveryMonitor(WindowHandle window)
{
    recording.coverings.push_back(window);
}

int PlatformWindowDpi(WindowHandle)
{
    return recording.windowDpi;
}

bool PlatformIsWindow(WindowHandle window)
{
    return std::find(recording.windows.begin(), recording.windows.end(), window) != recording.windows.end();
}

WindowHandle PlatformForegroundWindow()
{
    return recording.foreground;
}

void PlatformPostQuitMessage(int)
{
    ++recording.quitPosts;
}

void PlatformRegisterPowerSettings(WindowHandle window, void* (&registrations)[PowerSettingCount])
{
    for (void*& registration : registrations) {
        registration = window;
        ++recording.powerSettingsWatched;
    }
}

void PlatformUnregisterPowerSettings(void* (&registrations)[PowerSettingCount])
{
    for (void*& registration : registrations) {
        if (registration != nullptr) --recording.powerSettingsWatched;
        registration = nullptr;
    }
}

// The tests hand the change itself as the event's data.
PowerSettingChange PlatformReadPowerSetting(MessageData data)
{
    return *reinterpret_cast<const PowerSettingChange*>(data);
}

// Each event is handed to windowProc with the change itself as its data; a
// wait passes on the clock.
void PlatformDeliverPowerEvents(WindowHandle window, uint32_t milliseconds)
{
    recording.tick += milliseconds;
    std::vector<PowerSettingChange> events;
    events.swap(recording.powerEvents);
    for (PowerSettingChange& change : events)
        if (recording.windowProc)
            recording.windowProc(window, Msg::PowerBroadcast, PowerSettingChangeEvent, reinterpret_cast<MessageData>(&change));
}

bool PlatformBatterySaverOn()
{
    return recording.batterySaver;
}

bool PlatformRemoveMessage(WindowHandle, unsigned message)
{
    if (message != Msg::Timer || recording.queuedTimerMessages == 0) return false;
    --recording.queuedTimerMessages;
    return true;
}

bool PlatformInputQueued(WindowHandle)
{
    return recording.inputQueued;
}

bool PlatformCursorPos(PlatformPoint& position)
{
    position = recording.cursor;
    return true;
}

void PlatformHideCursor()
{
    ++recording.cursorHides;
}

bool PlatformDetachInputMethod(WindowHandle)
{
    return recording.inputMethod;
}

void PlatformRestoreInputMethod(WindowHandle)
{
}

uint8_t PlatformAcLineStatus()
{
    return recording.acLineStatus;
}

void PlatformReadPowerState(WindowHandle, PowerState& state)
{
    if (recording.power) state = *recording.power;
}

bool PlatformConnectionMetered(WindowHandle)
{
    return recording.metered;
}

std::string PlatformModulePath()
{
    return recording.modulePath;
}

std::string PlatformFullPath(const std::string& path)
{
    // Absolute: a root or a drive, in either spelling.
    if (path.empty() || path[0] == '/' || path[0] == '\\' || (path.size() > 1 && path[1] == ':'))
        return path;
    return recording.currentDirectory + "\\" + path;
}

void PlatformReport(const std::string& text, const std::string&, bool)
{
    recording.reports.push_back(text);
}

long ReadDxDiagVersion(uint32_t& major, uint32_t& minor, char& letter)
{
    if (!recording.dxDiagReads) return ProbeStatus::Fail;
    major = recording.dxMajor;
    minor = recording.dxMinor;
    letter = recording.dxLetter;
    return 0;
}

long ReadFileVersion(const std::string& path, uint64_t* version)
{
    if (path.empty() || version == nullptr) return ProbeStatus::InvalidArg;
    auto found = recording.fileVersions.find(path);
    if (found == recording.fileVersions.end()) return ProbeStatus::Fail;
    *version = found->second;
    return 0;
}

bool ReadSystemDirectory(std::string& directory)
{
    directory = recording.systemDirectory;
    return !directory.empty();
}

bool LoadDirect3d9()
{
    return recording.direct3d9Loads;
}

std::shared_ptr<DisplayAdapters> OpenDirect3d()
{
    return nullptr;
}
