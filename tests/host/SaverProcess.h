#pragma once
// The real Zembria.scr started from a Windows test program under wine: the
// process, its full-screen window and the dialogs it shows.

#include "DialogWindows.h"

#include <windows.h>

#include <filesystem>
#include <string>

namespace saverprocess {

// A module folder of the test's own, named for it and this process, whose
// cache holds one picture, so the saver has something to show offline.
inline std::filesystem::path HomeWithCachedPicture(const std::string& name, const std::string& picture)
{
    namespace fs = std::filesystem;
    const fs::path home = fs::temp_directory_path() / ("zembria-" + name + "-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(home);
    fs::create_directories(home / "images");
    fs::copy_file("Z:" + picture, home / "images" / fs::path(picture).filename());
    return home;
}

inline std::string WindowsPath(std::string path)
{
    for (char& c : path)
        if (c == '/') c = '\\';
    return "Z:" + path;
}

// A process started from a command line, ended by its id if it outlives the test.
struct ChildProcess {
    PROCESS_INFORMATION process{};

    bool Start(std::string line)
    {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        return CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process) != FALSE;
    }
    // The exit code, or STILL_ACTIVE when it has not ended within the time.
    DWORD Wait(DWORD milliseconds)
    {
        WaitForSingleObject(process.hProcess, milliseconds);
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process.hProcess, &code);
        return code;
    }
    ~ChildProcess()
    {
        if (process.hProcess == nullptr) return;
        if (Wait(0) == STILL_ACTIVE) TerminateProcess(process.hProcess, 99);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
};

#ifdef ZEMBRIA_SCR
// The saver under test, with the program's own options and mode after its path.
struct Saver : ChildProcess {
    bool Start(const std::string& arguments) { return ChildProcess::Start("\"" + WindowsPath(ZEMBRIA_SCR) + "\" " + arguments); }
};
#endif

inline HWND WaitForSaverWindow(DWORD milliseconds)
{
    for (DWORD waited = 0; waited < milliseconds; waited += 50) {
        HWND window = FindWindowA("WindowsScreenSaverClass", "Screen Saver");
        if (window != nullptr) return window;
        Sleep(50);
    }
    return nullptr;
}

} // namespace saverprocess
