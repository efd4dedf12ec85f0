// The real Zembria.scr on a system whose DirectX check refuses (ctest runs
// this program with DxDiag disabled for it and everything it starts, which
// counts as too old). The libraries pass, so the saver shows its first frames
// before DxDiag refuses: the full-screen device goes, the message shows on
// the screen, and after it the saver stays black and inert until input
// closes it. The settings dialog works as always.

#include <gtest/gtest.h>

#include "SaverProcess.h"
#include "ScreenPixels.h"

#include <filesystem>
#include <string>
#include <vector>

using namespace saverprocess;
namespace fs = std::filesystem;

namespace {

BOOL CALLBACK CollectStaticText(HWND child, LPARAM data)
{
    char name[16] = {}, text[512] = {};
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, "Static") == 0 && GetWindowTextA(child, text, sizeof text) > 0)
        *reinterpret_cast<std::string*>(data) += text;
    return TRUE;
}

TEST(DirectXRefused, DxDiagIsReallyUnavailable)
{
    EXPECT_EQ(LoadLibraryExA("dxdiagn.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32), nullptr);
}

TEST(DirectXRefused, MessageShowsInTheOpenThenTheSaverStaysBlackAndInert)
{
    // A cached picture, so the first frames are not black themselves.
    const fs::path home = HomeWithCachedPicture("refusal", PICTURE);
    Saver saver;
    ASSERT_TRUE(saver.Start("--home \"" + home.string() + "\" /s"));
    HWND box = WaitForDialog(saver.process.dwProcessId, 60000);
    ASSERT_NE(box, nullptr) << "the DirectX message";
    EXPECT_EQ(Caption(box), "Wrong DirectX version");
    std::string text;
    EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&text));
    EXPECT_EQ(text, "DirectX 9.0c or higher required (0.0  detected).\r\n"
                    "Application will NOT be terminated - Good Luck!");
    EXPECT_NE(GetWindowLongA(box, GWL_STYLE) & WS_VISIBLE, 0);
    EXPECT_NE(GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << "above the saver's topmost windows";

    RECT boxArea{};
    ASSERT_TRUE(GetWindowRect(box, &boxArea));
    // The box's face on the screen, not the saver's black or picture over it.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const uint32_t faceColour = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    EXPECT_TRUE(ScreenComesTo(faceColour, boxArea, [](double share) { return share > 0.5; }, 20000))
        << "the box's face colour covers " << ShareOf(faceColour, boxArea) << " of its area";

    // Around it the saver's window, already black: the picture went with the
    // device before the box showed.
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const double outsideTheBox = 1.0 - static_cast<double>((boxArea.right - boxArea.left) * (boxArea.bottom - boxArea.top)) /
                                           (screen.right * screen.bottom);
    EXPECT_GE(ShareOf(0x000000, screen), outsideTheBox) << "black around the box";

    // The user moves the mouse to the box and clicks beside it: the message stays.
    SetCursorPos(boxArea.left - 200, boxArea.top - 100);
    SetCursorPos(boxArea.left - 100, boxArea.top - 50);
    EXPECT_EQ(saver.Wait(2000), STILL_ACTIVE) << "input at the box waits for it";
    EXPECT_EQ(WaitForDialog(saver.process.dwProcessId, 0), box);

    PostMessageA(box, WM_COMMAND, IDOK, 0);
    HWND window = WaitForSaverWindow(20000);
    ASSERT_NE(window, nullptr) << "the saver window stays";
    EXPECT_TRUE(ScreenComesTo(0x000000, screen, [](double share) { return share == 1; }, 20000))
        << "black after the message, not " << ShareOf(0x000000, screen);
    EXPECT_EQ(saver.Wait(2000), STILL_ACTIVE) << "inert, not ended";
    EXPECT_EQ(WaitForDialog(saver.process.dwProcessId, 0), nullptr) << "no second message";
    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0x00390001);
    EXPECT_EQ(saver.Wait(20000), 0u) << "a key still ends it, with exit code 0";
    std::error_code ignored;
    fs::remove_all(home, ignored);
}

TEST(DirectXRefused, SettingsDialogStillWorks)
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
