#include "host/win32/FurtherScreens.h"

#include "host/SaverContract.h"
#include "host/win32/WindowContext.h"
#include "platform/win32/Direct3d.h"
#include "platform/win32/WindowMessages.h"

#include <windows.h>

namespace {

constexpr const char* ClassName = "ZembriaMonitorWindow";

// What the user does over a further monitor is done to the saver window,
// which decides as always whether it closes the saver.
bool IsInput(UINT message)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_CLOSE:
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK MonitorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    SaverContext* context = WindowContext(window, message, lParam);
    if (context == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    HWND saver = static_cast<HWND>(context->host.mainWindow);
    if (IsInput(message) && saver != nullptr) return SendMessageA(saver, message, wParam, lParam);
    switch (message) {
    case WM_SETCURSOR:
        SetCursor(nullptr);
        return TRUE;
    case WM_PAINT:
        if (!context->host.closing) SaverFrameLost(*context);
        break;
    case Msg::DpiChanged:
        SaverDpiChanged(*context, window, PlatformFollowDpiChange(window, wParam, lParam));
        return 0;
    case WM_SYSCOMMAND:
        if (wParam == SC_SCREENSAVE || wParam == SC_NEXTWINDOW || wParam == SC_PREVWINDOW) return 0;
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterMonitorClass(HINSTANCE instance)
{
    WNDCLASSA windowClass{};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = MonitorWindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = ClassName;
    return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

} // namespace

std::vector<FurtherScreen> OpenFurtherScreens(SaverContext& context)
{
    std::vector<FurtherScreen> screens;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    // The first monitor's device counts the adapters: a second Direct3D
    // object would cost a start on one monitor about 0.2 s.
    const std::shared_ptr<DisplayAdapters>& adapters = context.screens.First().Adapters();
    if (!adapters) return screens;
    IDirect3D9* direct3d = adapters->direct3d;
    const UINT count = direct3d->GetAdapterCount();
    if (count < 2 || !RegisterMonitorClass(instance)) return screens;
    // Adapter 0 is the saver window's; each further one drives a monitor of its own.
    for (UINT adapter = 1; adapter < count; ++adapter) {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        HMONITOR monitor = direct3d->GetAdapterMonitor(adapter);
        if (monitor == nullptr || !GetMonitorInfoA(monitor, &info)) continue;
        const RECT& area = info.rcMonitor;
        HWND window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, ClassName, "", WS_POPUP | WS_CLIPCHILDREN,
                                      area.left, area.top, area.right - area.left, area.bottom - area.top, nullptr,
                                      nullptr, instance, &context);
        if (window == nullptr) continue;
        // The saver window keeps the keyboard.
        ShowWindow(window, SW_SHOWNOACTIVATE);
        FurtherScreen screen;
        screen.setup.window = window;
        screen.setup.adapter = adapter;
        screen.width = area.right - area.left;
        screen.height = area.bottom - area.top;
        screens.push_back(screen);
    }
    return screens;
}

void CloseFurtherScreens(SaverContext&, const std::vector<WindowHandle>& windows)
{
    // Off the screen at once; the windows themselves go after.
    for (WindowHandle window : windows) ShowWindow(static_cast<HWND>(window), SW_HIDE);
    for (WindowHandle window : windows) DestroyWindow(static_cast<HWND>(window));
}
