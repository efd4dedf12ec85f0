// The real Zembria.scr on a system without d3dx9_43.dll (ctest runs this
// program with the library disabled for it and everything it starts): the
// DirectX message instead of a loader failure, then a black, inert saver
// until input closes it; the settings dialog works as always.

#include <gtest/gtest.h>

#include "SaverProcess.h"

#include <string>

using namespace saverprocess;

namespace {

BOOL CALLBACK CollectStaticText(HWND child, LPARAM data)
{
    char name[16] = {}, text[512] = {};
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, "Static") == 0 && GetWindowTextA(child, text, sizeof text) > 0)
        *reinterpret_cast<std::string*>(data) += text;
    return TRUE;
}

TEST(WithoutD3dx, TheLibraryIsReallyMissing)
{
    EXPECT_EQ(LoadLibraryExA("d3dx9_43.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32), nullptr);
}

TEST(WithoutD3dx, SaverShowsTheDirectXMessageAndStaysInert)
{
    Saver saver;
    ASSERT_TRUE(saver.Start("/s"));
    HWND box = WaitForDialog(saver.process.dwProcessId, 20000);
    ASSERT_NE(box, nullptr) << "a message box instead of a loader failure";
    EXPECT_EQ(Caption(box), "Wrong DirectX version");
    std::string text;
    EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&text));
    EXPECT_EQ(text, "DirectX 9.0c or higher required (d3dx9_43.dll not found).\r\n"
                    "Application will NOT be terminated - Good Luck!");
    PostMessageA(box, WM_COMMAND, IDOK, 0);

    HWND window = WaitForSaverWindow(20000);
    ASSERT_NE(window, nullptr) << "the saver window stays";
    EXPECT_EQ(saver.Wait(2000), STILL_ACTIVE) << "inert, not ended";
    EXPECT_EQ(WaitForDialog(saver.process.dwProcessId, 0), nullptr) << "no second message";
    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0x00390001);
    EXPECT_EQ(saver.Wait(20000), 0u) << "a key still ends it, with exit code 0";
}

// A user who moves the mouse while the check runs still learns why the
// saver can't show anything; confirming the message then ends the saver.
TEST(WithoutD3dx, InputDuringTheCheckStillShowsTheMessage)
{
    POINT at{};
    GetCursorPos(&at);
    Saver saver;
    ASSERT_TRUE(saver.Start("/s"));
    // To and fro until the message shows: wherever the saver took its start
    // position, one of the two places is far from it.
    HWND box = nullptr;
    const DWORD deadline = GetTickCount() + 60000;
    for (int move = 0; box == nullptr && saver.Wait(0) == STILL_ACTIVE &&
                       static_cast<int>(GetTickCount() - deadline) < 0; ++move) {
        SetCursorPos(move % 2 == 0 ? at.x + 40 : at.x - 40, at.y);
        box = WaitForDialog(saver.process.dwProcessId, 0);
        Sleep(10);
    }
    ASSERT_NE(box, nullptr) << "the message, not a silent exit";
    EXPECT_EQ(Caption(box), "Wrong DirectX version");
    std::string text;
    EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&text));
    EXPECT_EQ(text.find("DirectX 9.0c or higher required (d3dx9_43.dll not found)."), 0u) << text;
    EXPECT_EQ(saver.Wait(1000), STILL_ACTIVE) << "the message waits for the user";
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(saver.Wait(20000), 0u) << "confirmed: the input ends the saver";
    SetCursorPos(at.x, at.y);
}

TEST(WithoutD3dx, SettingsDialogStillWorks)
{
    Saver saver;
    ASSERT_TRUE(saver.Start("/c"));
    ASSERT_NE(WaitForDialog(saver.process.dwProcessId, 20000), nullptr) << "the settings dialog opens";
    // Cancel what the process shows (a notice first, then the dialog) until it ends.
    DWORD code = STILL_ACTIVE;
    for (int round = 0; round < 10 && code == STILL_ACTIVE; ++round) {
        HWND dialog = WaitForDialog(saver.process.dwProcessId, 2000);
        if (dialog != nullptr) {
            EXPECT_NE(Caption(dialog), "Wrong DirectX version");
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        }
        code = saver.Wait(2000);
    }
    EXPECT_EQ(code, 0u);
}

} // namespace
