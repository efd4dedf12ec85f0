// The busy start-up's input watch on the real platform, in a child process
// (it ends its process, with exit code 0): a message box on the watched
// thread keeps it from ending the saver while the user answers the box, and
// the side mouse buttons never end it; the cursor or a left click afterwards
// still do.

#include "host/SaverContext.h"
#include "host/win32/PlatformHostState.h"
#include "host/win32/BusyInputWatch.h"

#include <gtest/gtest.h>

#include "SaverProcess.h"

#include <windows.h>

#include <string>

using namespace saverprocess;

namespace {

constexpr DWORD Deadline = 20000;
constexpr DWORD Survived = 2000; // how long the child must outlive input that must not end it
constexpr DWORD Done = 77;       // the child's exit code when nothing ended it

std::string ownPath;

// This test program again, in the role it is given.
struct Child : ChildProcess {
    bool Start(const char* role) { return ChildProcess::Start("\"" + ownPath + "\" " + role); }
};

void Button(DWORD flags, DWORD data = 0)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = data;
    SendInput(1, &input, sizeof input);
}

// The child's side: watch from where the cursor is now, then answer a box
// (role "box") or wait (role "idle"), until the watch ends the process.
int RunChild(const std::string& role)
{
    SaverContext context;
    PlatformHostState windowsHost; // the NT family, no password
    context.platform = &windowsHost;
    POINT at{};
    GetCursorPos(&at);
    context.host.startPosition = PlatformPoint{at.x, at.y};
    std::shared_ptr<void> watch = WatchInputWhileBusy(context);
    if (role == "box") MessageBoxA(nullptr, "The user reads this", "Box", MB_OK | MB_ICONERROR);
    for (DWORD waited = 0; waited < 60000; waited += 50) Sleep(50);
    return static_cast<int>(Done);
}

TEST(BusyInputWatch, AMessageBoxHoldsItOff)
{
    POINT at{};
    GetCursorPos(&at);
    Child child;
    ASSERT_TRUE(child.Start("box"));
    HWND box = WaitForDialog(child.process.dwProcessId, Deadline);
    ASSERT_NE(box, nullptr);
    SetCursorPos(at.x + 200, at.y + 100); // to the box's button
    EXPECT_EQ(child.Wait(Survived), STILL_ACTIVE) << "the watch left the user at the box";
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    for (DWORD waited = 0; IsWindow(box) && waited < Deadline; waited += 50) Sleep(50);
    ASSERT_FALSE(IsWindow(box));
    EXPECT_EQ(child.Wait(Survived), STILL_ACTIVE) << "the cursor counts from where the box left it";
    SetCursorPos(at.x + 200, at.y + 150);
    EXPECT_EQ(child.Wait(Deadline), 0u) << "a move after the box ends it";
    SetCursorPos(at.x, at.y);
}

TEST(BusyInputWatch, SideButtonsDontEndItALeftClickDoes)
{
    Child child;
    ASSERT_TRUE(child.Start("idle"));
    // The watch is on once the child has made its thread; input from before
    // would be held keys, which don't count either.
    EXPECT_EQ(child.Wait(Survived), STILL_ACTIVE);
    // Each held while the watch looks (it reads what is down now).
    Button(MOUSEEVENTF_XDOWN, XBUTTON1);
    Button(MOUSEEVENTF_XDOWN, XBUTTON2);
    EXPECT_EQ(child.Wait(Survived), STILL_ACTIVE) << "the side buttons";
    Button(MOUSEEVENTF_XUP, XBUTTON1);
    Button(MOUSEEVENTF_XUP, XBUTTON2);
    Button(MOUSEEVENTF_LEFTDOWN);
    EXPECT_EQ(child.Wait(Deadline), 0u) << "a left click ends it";
    Button(MOUSEEVENTF_LEFTUP);
}

} // namespace

int main(int argc, char** argv)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    ownPath = path;
    if (argc == 2 && (std::string(argv[1]) == "box" || std::string(argv[1]) == "idle")) return RunChild(argv[1]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
