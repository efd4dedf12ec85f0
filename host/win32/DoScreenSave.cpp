// The saver window: its class, the full-screen or preview window and the
// message loop.

#include "host/win32/WinHost.h"

#include "host/SaverContext.h"
#include "host/win32/PlatformHostState.h"
#include "host/win32/WindowContext.h"
#include "host/win32/WindowProcs.h"

#include <windows.h>

namespace {

constexpr const char* ClassName = "WindowsScreenSaverClass";
constexpr const char* FullScreenTitle = "Screen Saver";
constexpr const char* PreviewTitle = "Preview";
constexpr int ClassIconId = 100;

LRESULT CALLBACK HostWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    SaverContext* context = WindowContext(window, message, lParam);
    if (context == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    return HostWindowProc(*context, window, message, wParam, lParam);
}

struct Placement {
    int x = 0, y = 0, width = 0, height = 0;
    DWORD style = 0, exStyle = 0;
    const char* title = FullScreenTitle;
};

Placement PreviewPlacement(HWND parent)
{
    RECT client{};
    GetClientRect(parent, &client);
    return {0, 0, client.right, client.bottom, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, PreviewTitle};
}

Placement FullScreenPlacement(const ProgramOptions& options)
{
    Placement p;
    p.style = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    p.exStyle = WS_EX_TOPMOST;
    if (options.windowWidth > 0) {
        // --window: a plain window for looking at the saver on a desktop.
        p.width = options.windowWidth;
        p.height = options.windowHeight;
        p.exStyle = 0;
        return p;
    }
    p.x = GetSystemMetrics(SM_XVIRTUALSCREEN);
    p.y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    p.width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    p.height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (p.width == 0 || p.height == 0) {
        HDC screen = GetDC(nullptr);
        RECT box{};
        GetClipBox(screen, &box);
        ReleaseDC(nullptr, screen);
        p = {box.left, box.top, box.right - box.left, box.bottom - box.top, p.style, p.exStyle, FullScreenTitle};
    }
    return p;
}

} // namespace

int DoScreenSave(SaverContext& context, WindowHandle parentHandle)
{
    HINSTANCE instance = static_cast<HINSTANCE>(context.platform->instance);
    HWND parent = static_cast<HWND>(parentHandle);

    WNDCLASSA windowClass{};
    windowClass.style = CS_OWNDC | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = HostWndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(ClassIconId));
    windowClass.hCursor = nullptr;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = ClassName;

    Placement placement;
    if (parent != nullptr) {
        placement = PreviewPlacement(parent);
        context.host.childPreview = true;
        context.host.parent = parent;
    } else {
        placement = FullScreenPlacement(context.options);
        // Only one full-screen saver runs at a time.
        HWND running = FindWindowA(ClassName, FullScreenTitle);
        if (running != nullptr) {
            SetForegroundWindow(running);
            return 0;
        }
        // The DirectX check loads Direct3D, and makes its object, while the window is made.
        StartLibraryProbe(context);
        context.host.powerLineStatus = PlatformAcLineStatus();
        LoadPasswordVerifier(*context.platform);
    }
    context.platform->autoPlayMessage = context.platform->olderFamily ? RegisterWindowMessageA("QueryCancelAutoPlay") : 0;

    HWND window = nullptr;
    if (RegisterClassA(&windowClass) != 0)
        window = CreateWindowExA(placement.exStyle, ClassName, placement.title, placement.style, placement.x, placement.y,
                                 placement.width, placement.height, parent, nullptr, instance, &context);
    if (window == nullptr) {
        UnloadPasswordVerifier(*context.platform);
        return 0;
    }
    context.host.mainWindow = window;
    if (parent == nullptr) SetForegroundWindow(window);

    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    UnloadPasswordVerifier(*context.platform);
    return static_cast<int>(msg.wParam);
}
