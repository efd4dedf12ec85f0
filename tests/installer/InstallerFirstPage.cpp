// Starts the installer as a user would, answers its language question with
// the language it proposes, and saves a picture of the first page it then
// shows; the installer is then ended by its id. Exit code 0 when the picture
// was written.
// Usage: installer_first_page SETUP.EXE PICTURE.PNG

#include "tests/dialog/ScreenCapture.h"
#include "tests/host/DialogWindows.h"

#include <cstdio>
#include <string>

namespace {

constexpr const char* LanguageQuestion = "Installer Language";

// The first window of the installer that isn't its language question.
HWND WaitForPage(DWORD processId, DWORD milliseconds)
{
    for (DWORD waited = 0; waited < milliseconds; waited += 100) {
        HWND window = saverprocess::WaitForDialog(processId, 0);
        if (window && saverprocess::Caption(window) != LanguageQuestion) return window;
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
    HWND language = saverprocess::WaitForDialog(process.dwProcessId, 30000);
    if (language && saverprocess::Caption(language) == LanguageQuestion)
        PostMessageA(language, WM_COMMAND, IDOK, 0); // the preselected language, the system's (English here)
    HWND page = WaitForPage(process.dwProcessId, 30000);
    if (page) {
        SetForegroundWindow(page);
        Sleep(1500); // painted
        result = CaptureWindow(page, argv[2]);
        std::printf("first page: \"%s\"\n", saverprocess::Caption(page).c_str());
    } else {
        std::fprintf(stderr, "the installer showed no page\n");
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}
