#pragma once
// The full-screen window the Windows benchmarks draw into.

#include <windows.h>

inline LRESULT CALLBACK BenchWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

inline HWND OpenBenchWindow()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = BenchWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ZembriaRenderBench";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, "ZembriaRenderBench", "Screen Saver", WS_POPUP | WS_VISIBLE, 0, 0,
                           GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                           windowClass.hInstance, nullptr);
}
