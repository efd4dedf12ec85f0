// The real Zembria.scr under wine: the full-screen window appears, input and
// the other closing messages close it, and a second full-screen start leaves
// the first alone.

#include <gtest/gtest.h>

#include "SaverProcess.h"

#include <string>

using namespace saverprocess;

namespace {

TEST(SaverWindow, KeyMessageClosesTheSaver)
{
    Saver saver;
    ASSERT_TRUE(saver.Start("--run-for 60 /s"));
    HWND window = WaitForSaverWindow(20000);
    ASSERT_NE(window, nullptr) << "the full-screen window appears";
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_GT(rect.right - rect.left, 0);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    // The saver asked for power-setting events at its start; one (here
    // without a setting, as wine sends none of its own) must not close it.
    // A sent message returns once start-up is over and the window takes
    // messages; the event's once it has been handled.
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &answer);
    SendMessageTimeoutA(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, 0, SMTO_NORMAL, 60000, &answer);
    // Longer than a close would take (DestroyWindow takes 2 s here).
    ASSERT_EQ(saver.Wait(5000), STILL_ACTIVE) << "the saver keeps running without input";

    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0x00390001);
    EXPECT_EQ(saver.Wait(20000), 0u) << "a key ends the saver with exit code 0";
}

// At once, while start-up makes the device and shows the first pictures, and
// once the saver runs.
TEST(SaverWindow, MouseMoveClosesTheSaver)
{
    for (DWORD settle : {0u, 1000u}) {
        SCOPED_TRACE(settle);
        Saver saver;
        ASSERT_TRUE(saver.Start("--run-for 60 /s"));
        HWND window = WaitForSaverWindow(20000);
        ASSERT_NE(window, nullptr);
        Sleep(settle);
        POINT at{};
        GetCursorPos(&at);
        SetCursorPos(at.x + 2, at.y + 1);
        PostMessageA(window, WM_MOUSEMOVE, 0, 0);
        EXPECT_EQ(saver.Wait(1500), STILL_ACTIVE) << "3 pixels are no move";
        SetCursorPos(at.x + 40, at.y + 30);
        PostMessageA(window, WM_MOUSEMOVE, 0, 0);
        EXPECT_EQ(saver.Wait(20000), 0u);
        SetCursorPos(at.x, at.y);
    }
}

// The other messages the window procedures translate into a close.
TEST(SaverWindow, MessagesThatCloseTheSaver)
{
    struct Row {
        UINT message;
        WPARAM wParam;
        const char* what;
    };
    const Row rows[] = {
        {WM_SYSKEYDOWN, VK_MENU, "a system key"},
        {WM_RBUTTONDOWN, 0, "a right click"},
        {WM_MBUTTONDOWN, 0, "a middle click"},
        {WM_ACTIVATEAPP, FALSE, "another program activated"},
        {WM_SYSCOMMAND, SC_MONITORPOWER, "the monitor powering down"},
        {WM_POWERBROADCAST, PBT_APMSUSPEND, "a suspend"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Saver saver;
        ASSERT_TRUE(saver.Start("--run-for 60 /s"));
        HWND window = WaitForSaverWindow(20000);
        ASSERT_NE(window, nullptr);
        PostMessageA(window, row.message, row.wParam, 0);
        EXPECT_EQ(saver.Wait(20000), 0u);
    }
}

TEST(SaverWindow, OnlyOneFullScreenSaverRuns)
{
    Saver first;
    ASSERT_TRUE(first.Start("--run-for 60 /s"));
    HWND window = WaitForSaverWindow(20000);
    ASSERT_NE(window, nullptr);

    Saver second;
    ASSERT_TRUE(second.Start("/s"));
    EXPECT_EQ(second.Wait(20000), 0u) << "the second start ends at once with 0";
    EXPECT_EQ(first.Wait(0), STILL_ACTIVE);

    PostMessageA(window, WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(first.Wait(20000), 0u) << "a click ends the saver";
}

TEST(SaverWindow, WindowOptionGivesAPlainWindowOfThatSize)
{
    Saver saver;
    ASSERT_TRUE(saver.Start("--window 320x200 --run-for 2 /s"));
    HWND window = WaitForSaverWindow(20000);
    ASSERT_NE(window, nullptr);
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 320);
    EXPECT_EQ(rect.bottom - rect.top, 200);
    EXPECT_EQ(saver.Wait(20000), 0u) << "--run-for ends it by itself";
}

} // namespace

namespace {

DWORD WaitPumping(Saver& saver, DWORD milliseconds)
{
    DWORD end = GetTickCount() + milliseconds;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        DWORD code = saver.Wait(0);
        if (code != STILL_ACTIVE || static_cast<int>(GetTickCount() - end) >= 0) return code;
        MsgWaitForMultipleObjects(1, &saver.process.hProcess, FALSE, 50, QS_ALLINPUT);
    }
}

TEST(PreviewMode, ChildOfTheParentIgnoringInput)
{
    HWND parent = CreateWindowExA(0, "STATIC", "display settings", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 240,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(parent, nullptr);
    Saver saver;
    ASSERT_TRUE(saver.Start("/p " + std::to_string(reinterpret_cast<uintptr_t>(parent))));
    HWND preview = nullptr;
    for (int i = 0; i < 400 && preview == nullptr; ++i) {
        WaitPumping(saver, 50);
        preview = FindWindowExA(parent, nullptr, "WindowsScreenSaverClass", "Preview");
    }
    ASSERT_NE(preview, nullptr) << "the preview is a child of the given window";
    RECT client{}, child{};
    GetClientRect(parent, &client);
    GetClientRect(preview, &child);
    EXPECT_EQ(child.right, client.right);
    EXPECT_EQ(child.bottom, client.bottom);

    PostMessageA(preview, WM_KEYDOWN, VK_SPACE, 0);
    PostMessageA(preview, WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(WaitPumping(saver, 1500), STILL_ACTIVE) << "input does not end the preview";
    PostMessageA(preview, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitPumping(saver, 20000), 0u);
    DestroyWindow(parent);
}

TEST(SettingsMode, CancelEndsTheDialogWithZero)
{
    for (const char* tail : {"", "/c", "/c:1"}) {
        SCOPED_TRACE(tail);
        Saver saver;
        ASSERT_TRUE(saver.Start(tail));
        ASSERT_NE(WaitForDialog(saver.process.dwProcessId, 20000), nullptr) << "the settings dialog opens";
        // Cancel whatever the process shows (a notice first, then the dialog) until it ends.
        DWORD code = STILL_ACTIVE;
        for (int round = 0; round < 10 && code == STILL_ACTIVE; ++round) {
            HWND dialog = WaitForDialog(saver.process.dwProcessId, 2000);
            if (dialog != nullptr) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            code = saver.Wait(2000);
        }
        EXPECT_EQ(code, 0u) << "the dialog's result is the exit code";
    }
}

} // namespace
