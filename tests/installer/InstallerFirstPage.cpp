// Starts the installer as a user would, answers its language question with
// the language it proposes, and saves a picture of the first page it then shows; the
// installer is ended by its id. Exit code 0 when the picture was written.
// Usage: installer_first_page SETUP.EXE PICTURE.PNG

#include "tests/dialog/ScreenCapture.h"

#include <cstdio>
#include <string>

namespace {

struct Search {
    DWORD processId;
    HWND window;
};

BOOL CALLBACK FindVisibleWindowOf(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    search->window = window;
    return FALSE;
}

HWND WaitForWindow(DWORD processId, const std::string& skipCaption, DWORD milliseconds)
{
    for (DWORD waited = 0; waited < milliseconds; waited += 100) {
        Search search{processId, nullptr};
        EnumWindows(FindVisibleWindowOf, reinterpret_cast<LPARAM>(&search));
        char caption[128] = {};
        if (search.window) GetWindowTextA(search.window, caption, sizeof caption);
        if (search.window && skipCaption != caption) return search.window;
        Sleep(100);
    }
    return nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: installer_first_page SETUP.EXE PICTURE.PNG\n");
        return 2;
    }
    std::string line = std::string("\"") + argv[1] + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::fprintf(stderr, "cannot start %s\n", argv[1]);
        return 1;
    }
    int result = 1;
    HWND language = WaitForWindow(process.dwProcessId, "", 30000);
    char caption[128] = {};
    if (language) GetWindowTextA(language, caption, sizeof caption);
    if (language && std::string(caption) == "Installer Language")
        PostMessageA(language, WM_COMMAND, IDOK, 0); // the preselected language, the system's (English here)
    HWND page = WaitForWindow(process.dwProcessId, "Installer Language", 30000);
    if (page) {
        SetForegroundWindow(page);
        Sleep(1500); // painted
        result = CaptureWindow(page, argv[2]);
        GetWindowTextA(page, caption, sizeof caption);
        std::printf("first page: \"%s\"\n", caption);
    } else {
        std::fprintf(stderr, "the installer showed no page\n");
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}
