#pragma once
// The host side of the saver window: the state every screen-saver module
// carries, the input rules behind the saver contract, and the look for input
// while the loop is blocked.

#include "platform/Platform.h"

#include <cstdint>

using PasswordVerifier = bool (*)(WindowHandle window);

struct HostState {
    void* instance = nullptr;
    WindowHandle mainWindow = nullptr;
    WindowHandle parent = nullptr;     // the preview's parent window
    bool childPreview = false;
    bool olderFamily = false;          // Windows 95/98/Me: password and auto-play handling
    bool closing = false;              // closing confirmed
    bool checking = false;             // a password check is under way
    bool boxUp = false;                // a message box is up: input to the window waits for it
    PasswordVerifier verifier = nullptr;
    unsigned autoPlayMessage = 0;      // "QueryCancelAutoPlay", 0 when not registered
    bool inputMethodDetached = false;
    PlatformPoint startPosition;
    uint8_t powerLineStatus = 255;
    uint32_t lastCheck = 0xFFFFFFFFu;  // tick count when the last check ended; all ones for never
    bool runForArmed = false;          // --run-for: the saver closes by itself at runForDeadline
    uint32_t runForDeadline = 0;       // tick count
    bool checkLeftRunning = false;     // start-up ended on input while the DirectX check still ran
};

constexpr uint32_t MouseMoveThreshold = 4;
constexpr uint32_t PasswordDebounceMs = 200;
constexpr uint32_t RunForTimerId = 1126; // --run-for: beside the frame (1124) and slide (1125) timers

// Whether the user (or --run-for) wants the saver closed while the message
// loop is blocked, e.g. in a network request: a key, click or close request in
// the queue, the cursor moved past the threshold, or the run time is up.
bool SaverInputPending(const HostState& host);

// Sum of the absolute differences, compared unsigned like the host does.
uint32_t CursorDistance(const PlatformPoint& a, const PlatformPoint& b);
