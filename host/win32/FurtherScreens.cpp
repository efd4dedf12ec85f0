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
    IDirect3D9* direct3d = CreateDirect3d9();
    if (direct3d == nullptr || !RegisterMonitorClass(instance)) {
        if (direct3d) direct3d->Release();
        return screens;
    }
    // Adapter 0 is the saver window's; each further one drives a monitor of its own.
    const UINT count = direct3d->GetAdapterCount();
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
    direct3d->Release();
    return screens;
}

void CloseFurtherScreens(SaverContext& context)
{
    // Off the screen at once; the windows themselves go after.
    for (const FurtherScreen& screen : context.furtherScreens) ShowWindow(static_cast<HWND>(screen.setup.window), SW_HIDE);
    for (const FurtherScreen& screen : context.furtherScreens) DestroyWindow(static_cast<HWND>(screen.setup.window));
}
