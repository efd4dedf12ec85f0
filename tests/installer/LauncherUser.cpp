// Plays the user of an installed saver through the Zembria.scr that the
// desktop starts (for every user, the launcher in the system folder):
//   preview SCR          "SCR /p HWND" with a window of ours as the display
//                        settings' little monitor: the preview appears in it,
//                        and closing it ends SCR with 0.
//   settings SCR LOGIN   "SCR /c": the settings dialog appears (shown by the
//                        installed saver, a process of its own; its notice
//                        of a missing options file answered), LOGIN is typed
//                        and OK pressed; SCR ends with the dialog's 1.
// Exit code 0 when all of that happened. The waits are long: a loaded machine
// can take many seconds to start a wine process.

#include "settings/DialogControls.h"
#include "tests/host/SaverProcess.h"

#include <cstdio>
#include <cstdint>
#include <string>

namespace {

using saverprocess::ChildProcess;

// Waits for the process's end while this thread's windows get their messages.
DWORD WaitPumping(ChildProcess& process, DWORD milliseconds)
{
    const DWORD end = GetTickCount() + milliseconds;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        DWORD code = process.Wait(0);
        if (code != STILL_ACTIVE || static_cast<int>(GetTickCount() - end) >= 0) return code;
        MsgWaitForMultipleObjects(1, &process.process.hProcess, FALSE, 50, QS_ALLINPUT);
    }
}

int Fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    return 1;
}

int Preview(const std::string& scr)
{
    HWND parent = CreateWindowExA(0, "STATIC", "display settings", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 240,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (parent == nullptr) return Fail("no window for the preview");
    ChildProcess launcher;
    if (!launcher.Start("\"" + scr + "\" /p " + std::to_string(reinterpret_cast<uintptr_t>(parent))))
        return Fail("can't start the saver");
    HWND preview = nullptr;
    for (int i = 0; i < 1200 && preview == nullptr && launcher.Wait(0) == STILL_ACTIVE; ++i) {
        WaitPumping(launcher, 50);
        preview = FindWindowExA(parent, nullptr, "WindowsScreenSaverClass", "Preview");
    }
    if (preview == nullptr) return Fail("no preview appeared in the given window");
    PostMessageA(preview, WM_CLOSE, 0, 0);
    const DWORD code = WaitPumping(launcher, 60000);
    DestroyWindow(parent);
    std::printf("preview shown, exit code %lu\n", code);
    return code == 0 ? 0 : 1;
}

struct Dialogs {
    HWND settings; // the one with the member field
    HWND notice;   // a message box before it
};

// Whichever process shows them: the saver's own, not the launcher.
BOOL CALLBACK FindDialogs(HWND window, LPARAM data)
{
    auto* found = reinterpret_cast<Dialogs*>(data);
    char kind[16] = "";
    GetClassNameA(window, kind, sizeof kind);
    if (std::string(kind) != "#32770" || !IsWindowVisible(window)) return TRUE;
    (GetDlgItem(window, IDC_MEMBER_LOGIN) ? found->settings : found->notice) = window;
    return TRUE;
}

int Settings(const std::string& scr, const std::string& login)
{
    ChildProcess launcher;
    if (!launcher.Start("\"" + scr + "\" /c")) return Fail("can't start the saver");
    // A fresh install has no options file yet: the saver says so first.
    Dialogs found{};
    for (int i = 0; i < 1200 && !found.settings && launcher.Wait(50) == STILL_ACTIVE; ++i) {
        found = {};
        EnumWindows(FindDialogs, reinterpret_cast<LPARAM>(&found));
        if (!found.settings && found.notice) PostMessageA(found.notice, WM_COMMAND, IDOK, 0);
    }
    HWND dialog = found.settings;
    if (dialog == nullptr) return Fail("no settings dialog appeared");
    SetDlgItemTextA(dialog, IDC_MEMBER_LOGIN, login.c_str());
    SendDlgItemMessageA(dialog, IDC_MEMBER_LOGIN, EM_SETMODIFY, TRUE, 0); // as typing marks it
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    const DWORD code = launcher.Wait(60000);
    std::printf("settings dialog shown, exit code %lu\n", code);
    return code == 1 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "preview" && argc == 3) return Preview(argv[2]);
    if (mode == "settings" && argc == 4) return Settings(argv[2], argv[3]);
    std::fprintf(stderr, "usage: installer_launcher_user preview SCR | settings SCR LOGIN\n");
    return 2;
}
