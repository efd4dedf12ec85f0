// Latency benchmark's input: waits for the saver's window, waits a given
// time more, then sends one input the way a user would and says so on stdout
// at once. A key press goes through SendInput. A mouse move is made by the
// benchmark through the X server: this program says "ready" and waits for a
// line on stdin. (A move through SendInput is sometimes lost: wine updates
// its own cursor position but doesn't warp the X pointer, and 100 ms later
// reads the old place back from X; a saver busy in a start-up step then
// never sees the move.) A key goes to the foreground window, which the
// saver's becomes only when its start-up is over; so a key waits for that.
// Usage: zembria-poke.exe key|move DELAY_MS [TIMEOUT_MS]

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: zembria-poke key|move DELAY_MS [TIMEOUT_MS]\n");
        return 2;
    }
    const bool key = std::strcmp(argv[1], "key") == 0;
    const DWORD delay = static_cast<DWORD>(std::atoi(argv[2]));
    const ULONGLONG timeout = argc > 3 ? static_cast<ULONGLONG>(std::atoi(argv[3])) : 60000;

    const ULONGLONG start = GetTickCount64();
    HWND saver = nullptr;
    while ((saver = FindWindowA("WindowsScreenSaverClass", nullptr)) == nullptr) {
        if (GetTickCount64() - start > timeout) {
            std::fprintf(stderr, "zembria-poke: no saver window\n");
            return 1;
        }
        Sleep(10);
    }
    std::printf("window\n");
    std::fflush(stdout);
    Sleep(delay);
    while (key && GetForegroundWindow() != saver) {
        if (GetTickCount64() - start > timeout) {
            std::fprintf(stderr, "zembria-poke: the saver never had the keyboard\n");
            return 1;
        }
        Sleep(1);
    }

    if (key) {
        INPUT inputs[2] = {};
        inputs[0].type = INPUT_KEYBOARD;
        inputs[0].ki.wVk = VK_SPACE;
        inputs[1] = inputs[0];
        inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
        const UINT sent = SendInput(2, inputs, sizeof(INPUT));
        std::printf("sent %u\n", sent);
        std::fflush(stdout);
        if (sent != 2)
            return 1;
    } else {
        std::printf("ready\n");
        std::fflush(stdout);
        char moved[16];
        if (std::fgets(moved, sizeof moved, stdin) == nullptr)
            return 1;
    }
    // The saver's own part ends when its window leaves the screen (during
    // start-up it isn't shown yet: then when it was shown and left again);
    // what follows is the window system's and the process's teardown.
    bool shown = IsWindowVisible(saver);
    while (IsWindow(saver) && (!shown || IsWindowVisible(saver))) {
        if (GetTickCount64() - start > timeout)
            return 1;
        shown = shown || IsWindowVisible(saver);
        Sleep(1);
    }
    std::printf("hidden\n");
    std::fflush(stdout);
    return 0;
}
