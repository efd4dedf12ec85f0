// The platform seam on Linux over SDL2: time comes from the C++ clocks, the
// cursor and power status from SDL. Boxes and reports go to the terminal: a
// saver must never block on a dialog nobody sees. The window, its timers and
// its events are in SdlWindow.cpp; the process entry answers
// PlatformHideCursor, since it owns what it tells.

#include "platform/linux/sdl/SdlPlatformState.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <thread>

int PlatformMessageBox(WindowHandle, const std::string& text, const std::string& caption, BoxKind)
{
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    return 1; // IDOK
}

uint32_t PlatformTickCount()
{
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void PlatformSleep(uint32_t milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

int64_t PlatformNow()
{
    return static_cast<int64_t>(std::time(nullptr));
}

int64_t PlatformNowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

bool PlatformIsWindow(WindowHandle window)
{
    const SdlPlatformState* state = StateOfWindow(window);
    return state != nullptr && !state->destroyed;
}

// The saver window when it has the keyboard: SDL knows no other windows.
WindowHandle PlatformForegroundWindow()
{
    SDL_Window* focus = SDL_GetKeyboardFocus();
    return PlatformIsWindow(focus) ? focus : nullptr;
}

// Over one of our windows, where the moves that matter happen: from the last
// motion SDL read. SDL's global position on X isn't refreshed by ordinary
// moves: it would keep the place first read, and no move would ever count.
// The moves over a foreign window are its owner's. On Wayland, the position
// the saver follows itself (SdlPlatformState).
void CursorPosOver(const SdlPlatformState& state, PlatformPoint& position)
{
    if (state.windowRelativePointer) {
        position.x = state.pointerX;
        position.y = state.pointerY;
        return;
    }
    int x = 0, y = 0;
    SDL_Window* over = SDL_GetMouseFocus();
    if (over != nullptr && (SDL_GetWindowFlags(over) & SDL_WINDOW_FOREIGN) == 0) {
        int left = 0, top = 0;
        SDL_GetWindowPosition(over, &left, &top);
        SDL_GetMouseState(&x, &y);
        x += left;
        y += top;
    } else {
        SDL_GetGlobalMouseState(&x, &y);
    }
    position.x = x;
    position.y = y;
}

void HideCursorOver(const SdlPlatformState& state)
{
    if (!state.foreign) SDL_ShowCursor(SDL_DISABLE);
}

bool PlatformDetachInputMethod(WindowHandle)
{
    SDL_StopTextInput();
    return false;
}

void PlatformRestoreInputMethod(WindowHandle) {}

uint8_t PlatformAcLineStatus()
{
    switch (SDL_GetPowerInfo(nullptr, nullptr)) {
    case SDL_POWERSTATE_ON_BATTERY: return 0;
    case SDL_POWERSTATE_NO_BATTERY:
    case SDL_POWERSTATE_CHARGING:
    case SDL_POWERSTATE_CHARGED: return 1;
    default: return 255;
    }
}

std::string PlatformFullPath(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    return error ? path : full.lexically_normal().string();
}

// The program's own file, whatever name or link it was started by.
std::string PlatformModulePath()
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.string();
}

void PlatformReport(const std::string& text, const std::string&, bool isError)
{
    std::string line = text;
    for (size_t at = line.find("\r\n"); at != std::string::npos; at = line.find("\r\n", at)) line.erase(at, 1);
    std::fputs(line.c_str(), isError ? stderr : stdout);
}
