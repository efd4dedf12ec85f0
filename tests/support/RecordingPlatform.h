#pragma once
// The platform seam for native tests: records what the portable code posts,
// sends, arms and shows, and lets the test set the clock, the cursor, the
// windows that exist and the DirectX versions the probes find.

#include "host/SaverContext.h"
#include "platform/Platform.h"
#include "platform/win32/WindowMessages.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct RecordedMessage {
    WindowHandle window;
    unsigned message;
    MessageParam wParam;
    MessageData lParam;
};

struct RecordedTimer {
    WindowHandle window;
    uint32_t id;
    uint32_t milliseconds;
};

struct RecordedBox {
    WindowHandle owner;
    std::string text;
    std::string caption;
    BoxKind kind;
    bool deviceHeld; // the saver's device still existed when the box showed
};

using RecordedWindowProc = std::function<MessageResult(WindowHandle, unsigned, MessageParam, MessageData)>;

struct RecordingPlatform {
    // What the code did, in order.
    std::vector<RecordedMessage> posted;
    std::vector<RecordedMessage> sent;
    std::vector<RecordedMessage> defaulted;   // reached DefWindowProc
    std::vector<RecordedMessage> dpiChanges;  // followed by the window
    std::vector<WindowHandle> coverings;      // windows made to cover every monitor again
    std::vector<RecordedTimer> armed;
    std::vector<RecordedTimer> killed;
    std::vector<RecordedBox> boxes;
    std::vector<std::string> reports;
    int cursorHides = 0;
    int quitPosts = 0;
    int sleeps = 0;

    // What the platform answers.
    uint32_t tick = 1000;
    int64_t now = 1'700'000'000;
    int msIntoSecond = 0;                     // of now, for the wall clock in milliseconds
    PlatformPoint cursor;
    std::vector<WindowHandle> windows;        // the windows that exist
    WindowHandle foreground = nullptr;
    int windowDpi = 96;                       // of every window's monitor
    uint64_t displayLayout = 1;               // the monitors' layout
    uint8_t acLineStatus = 1;
    std::optional<PowerState> power;          // what a frame tick reads; unset: left as the window's events made it
    bool metered = false;
    int powerSettingsWatched = 0;             // power-setting registrations not given back
    std::vector<PowerSettingChange> powerEvents; // power-setting events on their way, for windowProc
    bool batterySaver = false;                // what the system answers at once
    std::string modulePath = "C:\\Saver\\Zembria.scr";
    std::string currentDirectory = "C:\\Users\\anna";
    bool inputMethod = true;
    int queuedTimerMessages = 0;              // WM_TIMER messages waiting in the queue
    bool inputQueued = false;                 // a key, click or close waits in the queue
    RecordedWindowProc windowProc;            // receives sent messages when set
    std::function<void()> whileBoxUp;         // runs while a message box is up (the user at it)
    // Per helper thread, in the order they start: its work runs at once (0,
    // also for threads not listed), at its caller's nth wait, or never (-1).
    std::vector<int> helperWaits;
    size_t helpersStarted = 0;
    std::map<uint32_t, uint32_t> activeTimers; // id -> period

    // DirectX probes.
    uint32_t dxMajor = 9, dxMinor = 0;
    char dxLetter = 'c';
    bool dxDiagReads = true;
    bool direct3d9Loads = true;               // d3d9.dll loads from the system folder
    std::string systemDirectory = "C:\\windows\\system32";
    std::map<std::string, uint64_t> fileVersions{{"C:\\windows\\system32\\d3d9.dll", 0x0005000308000000ull}};

    int CountPosted(unsigned message) const;
    int CountArmed(uint32_t id) const;
};

extern RecordingPlatform recording;

// The tests' own saver context, as a process entry would make it.
extern SaverContext saver;

// Back to a fresh platform and a fresh context.
void ResetPlatformRecording();
