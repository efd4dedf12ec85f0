#pragma once
// The host side of the saver window: the state every screen-saver module
// carries, the input rules behind the saver contract, and the look for input
// while the loop is blocked.

#include "platform/Platform.h"

#include <cstdint>

// What every platform's host keeps of its saver window; what only one
// platform has (the Windows password check) is that platform's own.
struct HostState {
    WindowHandle mainWindow = nullptr;
    WindowHandle parent = nullptr;     // the preview's parent window
    bool childPreview = false;
    bool closing = false;              // closing confirmed
    bool boxUp = false;                // a message box is up: input to the window waits for it
    bool inputMethodDetached = false;
    PlatformPoint startPosition;
    uint8_t powerLineStatus = 255;
    bool runForArmed = false;          // --run-for: the saver closes by itself at runForDeadline
    uint32_t runForDeadline = 0;       // tick count
    // Start-up ended on input while the graphics check still ran: the device
    // is left to the process's end, which follows at once.
    bool deviceLeftToExit = false;
    // Monitors came or went: the next frame tick makes the screens again.
    bool displaysChanged = false;
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
