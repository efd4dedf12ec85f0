// Latency benchmark's input: waits for the saver's window, waits a given
// time more, then sends one input the way a user would (a key press or a
// 10-pixel mouse move through SendInput) and says so on stdout at once.
// A key goes to the foreground window, which the saver's becomes only when
// its start-up is over; so a key waits for that, a mouse move doesn't.
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

    INPUT inputs[2] = {};
    UINT count = 0;
    if (key) {
        inputs[0].type = INPUT_KEYBOARD;
        inputs[0].ki.wVk = VK_SPACE;
        inputs[1] = inputs[0];
        inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
        count = 2;
    } else {
        inputs[0].type = INPUT_MOUSE;
        inputs[0].mi.dx = 10;
        inputs[0].mi.dy = 0;
        inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE;
        count = 1;
    }
    const UINT sent = SendInput(count, inputs, sizeof(INPUT));
    std::printf("sent %u\n", sent);
    std::fflush(stdout);
    return sent == count ? 0 : 1;
}
