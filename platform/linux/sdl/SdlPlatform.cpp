// The platform seam on Linux over SDL2: posting and sending go through our
// own queue to the saver window's procedure, timers are due times checked by
// the message loop, time comes from the C++ clocks. Boxes and reports go to
// the terminal: a saver must never block on a dialog nobody sees.

#include "platform/linux/sdl/SdlPlatformState.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <thread>

SdlPlatformState sdlPlatform;

namespace {

bool IsSaverWindow(WindowHandle window)
{
    return window != nullptr && window == sdlPlatform.window && !sdlPlatform.destroyed;
}

bool IsInputMessage(unsigned message)
{
    switch (message) {
    case Msg::KeyDown:
    case Msg::SysKeyDown:
    case Msg::LButtonDown:
    case Msg::RButtonDown:
    case Msg::MButtonDown:
    case Msg::Close:
        return true;
    default:
        return false;
    }
}

} // namespace

int PlatformMessageBox(WindowHandle, const std::string& text, const std::string& caption, unsigned)
{
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    return 1; // IDOK
}

uint32_t PlatformSetTimer(WindowHandle window, uint32_t id, uint32_t milliseconds)
{
    if (!IsSaverWindow(window)) return 0;
    const uint32_t due = PlatformTickCount() + milliseconds;
    for (WindowTimer& timer : sdlPlatform.timers) {
        if (timer.id == id) {
            timer = {id, milliseconds, due};
            return id;
        }
    }
    sdlPlatform.timers.push_back({id, milliseconds, due});
    return id;
}

bool PlatformKillTimer(WindowHandle, uint32_t id)
{
    for (auto it = sdlPlatform.timers.begin(); it != sdlPlatform.timers.end(); ++it) {
        if (it->id == id) {
            sdlPlatform.timers.erase(it);
            return true;
        }
    }
    return false;
}

bool PlatformPostMessage(WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam)
{
    if (!IsSaverWindow(window)) return false;
    sdlPlatform.queue.push_back({window, message, wParam, lParam});
    return true;
}

MessageResult PlatformSendMessage(WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam)
{
    if (!IsSaverWindow(window) || sdlPlatform.procedure == nullptr) return 0;
    return sdlPlatform.procedure(window, message, wParam, lParam);
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

// A close destroys the window as DefWindowProc does: WM_DESTROY first, while
// the window still stands, then the window itself.
MessageResult PlatformDefWindowProc(WindowHandle window, unsigned message, MessageParam, MessageData)
{
    if (message != Msg::Close || !IsSaverWindow(window)) return 0;
    PlatformSendMessage(window, Msg::Destroy, 0, 0);
    sdlPlatform.destroyed = true;
    sdlPlatform.timers.clear();
    SDL_DestroyWindow(sdlPlatform.window); // a foreign window is only let go
    return 0;
}

bool PlatformIsWindow(WindowHandle window)
{
    return IsSaverWindow(window);
}

WindowHandle PlatformForegroundWindow()
{
    return IsSaverWindow(sdlPlatform.window) ? sdlPlatform.window : nullptr;
}

void PlatformPostQuitMessage(int exitCode)
{
    sdlPlatform.queue.push_back({nullptr, Msg::Quit, static_cast<MessageParam>(exitCode), 0});
}

bool PlatformRemoveMessage(WindowHandle window, unsigned message)
{
    for (auto it = sdlPlatform.queue.begin(); it != sdlPlatform.queue.end(); ++it) {
        if (it->window == window && it->message == message) {
            sdlPlatform.queue.erase(it);
            return true;
        }
    }
    return false;
}

bool PlatformInputQueued(WindowHandle window)
{
    if (sdlPlatform.closeRequested || sdlPlatform.windowGone) return true;
    TranslatePendingEvents();
    for (const QueuedMessage& queued : sdlPlatform.queue)
        if (queued.window == window && IsInputMessage(queued.message)) return true;
    return false;
}

bool PlatformCursorPos(PlatformPoint& position)
{
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    position.x = x;
    position.y = y;
    return true;
}

void PlatformHideCursor()
{
    if (!sdlPlatform.foreign) SDL_ShowCursor(SDL_DISABLE);
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

std::string PlatformCommandLine()
{
    return sdlPlatform.commandLine;
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
