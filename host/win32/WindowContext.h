#pragma once
// The saver's context rides with each of its windows: handed to
// CreateWindowEx and kept in the window's user data from its first message on.

#include <windows.h>

struct SaverContext;

// The window's context; nullptr before WM_NCCREATE has kept it.
inline SaverContext* WindowContext(HWND window, UINT message, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    return reinterpret_cast<SaverContext*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}
