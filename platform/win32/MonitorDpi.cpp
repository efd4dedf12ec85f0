#include "platform/win32/MonitorDpi.h"

#include "platform/Platform.h"

#include "platform/win32/SystemLibrary.h"
#include "platform/win32/WindowMessages.h"

namespace {

constexpr int EffectiveDpi = 0; // MDT_EFFECTIVE_DPI
constexpr int DefaultDpi = 96;

bool FillsMonitor(HWND window)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    RECT rect;
    if (!GetWindowRect(window, &rect) ||
        !GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
        return false;
    return EqualRect(&rect, &monitor.rcMonitor) != FALSE;
}

} // namespace

int MonitorDpi(HMONITOR monitor)
{
    HMODULE shcore = LoadSystemLibrary("shcore.dll");
    GetDpiForMonitorFunction query = nullptr;
    if (shcore != nullptr) {
        FARPROC found = GetProcAddress(shcore, "GetDpiForMonitor");
        query = reinterpret_cast<GetDpiForMonitorFunction>(reinterpret_cast<void*>(found));
    }
    const int dpi = MonitorDpi(monitor, query);
    if (shcore != nullptr) FreeLibrary(shcore);
    return dpi;
}

int MonitorDpi(HMONITOR monitor, GetDpiForMonitorFunction query)
{
    UINT x = 0, y = 0;
    if (query != nullptr && monitor != nullptr && SUCCEEDED(query(monitor, EffectiveDpi, &x, &y)) && y > 0)
        return static_cast<int>(y);
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) return DefaultDpi;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : DefaultDpi;
}

int PlatformFollowDpiChange(WindowHandle handle, MessageParam wParam, MessageData lParam)
{
    HWND window = static_cast<HWND>(handle);
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    if (suggested != nullptr && !FillsMonitor(window))
        SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    return HIWORD(wParam);
}

int PlatformWindowDpi(WindowHandle window)
{
    return MonitorDpi(MonitorFromWindow(static_cast<HWND>(window), MONITOR_DEFAULTTONEAREST));
}
