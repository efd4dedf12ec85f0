#pragma once
// Reading the command tail: which mode the desktop asked for and with which
// window. RunMode itself, which runs the mode, is the platform's.

#include "platform/Platform.h"

#include <cstdint>

// How the desktop launched the saver: full screen, as the preview, its settings
// or the change of its password (Windows 95/98/Me); Invalid for a tail it refuses.
enum class LaunchMode { Settings, FullScreen, Preview, Password, Invalid };

struct ModeChoice {
    LaunchMode mode = LaunchMode::Invalid;
    WindowHandle parent = nullptr; // owner or parent; none for full screen and a plain settings start
};

// The command tail after the module's own name and the blanks that follow it.
const char* SkipModuleName(const char* commandLine);

// Decimal digits at text, value * 10 + digit in unsigned 32-bit arithmetic; 0 when none.
uint32_t ParseWindowHandle(const char* text);

// The mode for a command tail; window handles are checked with the platform.
// The password mode exists only where the system asks savers to change it.
ModeChoice ChooseMode(const char* tail, bool passwordModeExists);

struct SaverContext;

// Runs the mode; the platform supplies it.
int RunMode(SaverContext& context, void* instance, const char* tail);

constexpr int RunModeRefused = -1;
