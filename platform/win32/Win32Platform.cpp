// The platform seam on Win32: each call is the Windows function of the same
// purpose, with the portable handle types cast to and from the Win32 ones.

#include "platform/Platform.h"
#include "platform/win32/WindowMessages.h"

#include <windows.h>
#include <imm.h>

#include <chrono>
#include <ctime>

namespace {

HWND Hwnd(WindowHandle window) { return static_cast<HWND>(window); }

// IMM32 is used only when something else already loaded it into the process.
using ImmAssociateContextFn = HIMC(WINAPI*)(HWND, HIMC);
ImmAssociateContextFn immAssociate = nullptr;
HIMC savedContext = nullptr;

} // namespace

int PlatformMessageBox(WindowHandle owner, const std::string& text, const std::string& caption, BoxKind)
{
    // The saver's windows are topmost and cover every monitor: a box of no
    // owner would sit behind them, so it comes to the top and to the front.
    // (System modal is topmost too, and wine heeds only that.)
    const UINT onTop = owner == nullptr ? MB_SYSTEMMODAL | MB_TOPMOST | MB_SETFOREGROUND : 0;
    return MessageBoxA(Hwnd(owner), text.c_str(), caption.c_str(), MB_ICONERROR | MB_OK | onTop);
}

uint32_t PlatformSetTimer(WindowHandle window, uint32_t id, uint32_t milliseconds)
{
    return static_cast<uint32_t>(SetTimer(Hwnd(window), id, milliseconds, nullptr));
}

bool PlatformKillTimer(WindowHandle window, uint32_t id)
{
    return KillTimer(Hwnd(window), id) != FALSE;
}

bool PlatformPostMessage(WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam)
{
    return PostMessageA(Hwnd(window), message, wParam, lParam) != FALSE;
}

void PlatformRequestClose(WindowHandle window)
{
    PostMessageA(Hwnd(window), WM_CLOSE, 0, 0);
}

MessageResult PlatformSendMessage(WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam)
{
    return SendMessageA(Hwnd(window), message, wParam, lParam);
}

uint32_t PlatformTickCount()
{
    return GetTickCount();
}

void PlatformSleep(uint32_t milliseconds)
{
    Sleep(milliseconds);
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

MessageResult PlatformDefWindowProc(WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam)
{
    return DefWindowProcA(Hwnd(window), message, wParam, lParam);
}

bool PlatformIsWindow(WindowHandle window)
{
    return IsWindow(Hwnd(window)) != FALSE;
}

WindowHandle PlatformForegroundWindow()
{
    return GetForegroundWindow();
}

void PlatformPostQuitMessage(int exitCode)
{
    PostQuitMessage(exitCode);
}

bool PlatformRemoveMessage(WindowHandle window, unsigned message)
{
    MSG msg;
    return PeekMessageA(&msg, Hwnd(window), message, message, PM_REMOVE | PM_NOYIELD) != FALSE;
}

bool PlatformInputQueued(WindowHandle)
{
    // The whole thread's queue: input over any monitor lands in the window
    // there, and every one of the saver's windows is this thread's.
    static const UINT waiting[] = {WM_KEYDOWN, WM_SYSKEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN, WM_CLOSE};
    MSG msg;
    for (UINT message : waiting)
        if (PeekMessageA(&msg, nullptr, message, message, PM_NOREMOVE | PM_NOYIELD)) return true;
    return false;
}

void PlatformCoverEveryMonitor(WindowHandle window)
{
    SetWindowPos(Hwnd(window), HWND_TOPMOST, GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                 GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN), SWP_NOACTIVATE);
}

uint64_t PlatformDisplayLayout()
{
    uint64_t layout = 1469598103934665603ull; // FNV-1a over the figures
    for (int metric : {SM_CMONITORS, SM_XVIRTUALSCREEN, SM_YVIRTUALSCREEN, SM_CXVIRTUALSCREEN, SM_CYVIRTUALSCREEN})
        layout = (layout ^ static_cast<uint32_t>(GetSystemMetrics(metric))) * 1099511628211ull;
    return layout;
}

bool PlatformCursorPos(PlatformPoint& position)
{
    POINT point;
    if (!GetCursorPos(&point)) return false;
    position.x = point.x;
    position.y = point.y;
    return true;
}

void PlatformHideCursor()
{
    SetCursor(nullptr);
}

bool PlatformDetachInputMethod(WindowHandle window)
{
    HMODULE imm = GetModuleHandleA("IMM32.DLL");
    if (imm == nullptr) return false;
    immAssociate = reinterpret_cast<ImmAssociateContextFn>(reinterpret_cast<void*>(GetProcAddress(imm, "ImmAssociateContext")));
    if (immAssociate == nullptr) return false;
    savedContext = immAssociate(Hwnd(window), nullptr);
    return true;
}

void PlatformRestoreInputMethod(WindowHandle window)
{
    if (immAssociate != nullptr && savedContext != nullptr) immAssociate(Hwnd(window), savedContext);
}

uint8_t PlatformAcLineStatus()
{
    SYSTEM_POWER_STATUS status;
    return GetSystemPowerStatus(&status) ? status.ACLineStatus : 255;
}

std::string PlatformModulePath()
{
    // The buffer grows until the whole path fits (paths may exceed MAX_PATH).
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string PlatformFullPath(const std::string& path)
{
    const DWORD size = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return path;
    std::string full(size, '\0');
    const DWORD length = GetFullPathNameA(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size)
        return path;
    full.resize(length);
    return full;
}

void PlatformReport(const std::string& text, const std::string& caption, bool isError)
{
    // A GUI module has a console only when started from one (or with redirected output).
    HANDLE out = GetStdHandle(isError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if (out != nullptr && out != INVALID_HANDLE_VALUE && GetFileType(out) != FILE_TYPE_UNKNOWN) {
        std::string line = text;
        DWORD written = 0;
        WriteFile(out, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        return;
    }
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK | (isError ? MB_ICONERROR : MB_ICONINFORMATION));
}
