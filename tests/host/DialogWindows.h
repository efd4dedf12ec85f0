#pragma once
// The dialogs and message boxes (class #32770) that another process shows,
// for Windows test programs that play its user.

#include <windows.h>

#include <string>

namespace saverprocess {

struct DialogSearch {
    DWORD processId;
    HWND dialog;
};

inline BOOL CALLBACK FindDialogOf(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<DialogSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    // Hidden ones are still being made or already going.
    if (owner != search->processId || std::string(name) != "#32770" || !IsWindowVisible(window)) return TRUE;
    search->dialog = window;
    return FALSE;
}

// A dialog or message box of the process, looked for at least once.
inline HWND WaitForDialog(DWORD processId, DWORD milliseconds)
{
    for (DWORD waited = 0;; waited += 50) {
        DialogSearch search{processId, nullptr};
        EnumWindows(FindDialogOf, reinterpret_cast<LPARAM>(&search));
        if (search.dialog != nullptr) return search.dialog;
        if (waited >= milliseconds) return nullptr;
        Sleep(50);
    }
}

inline std::string Caption(HWND window)
{
    char caption[128] = {};
    GetWindowTextA(window, caption, sizeof caption);
    return caption;
}

} // namespace saverprocess
