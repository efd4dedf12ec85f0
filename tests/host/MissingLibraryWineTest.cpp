// The real Zembria.scr on a system that lacks a library it loads on first
// use (ctest runs this program with the library disabled for it and for all
// it starts; MISSING_LIBRARY names it). The saver goes on without it as it
// would without what the library does: no WinInet is no connection, so the
// cached picture shows and the saver keeps running; no BCrypt is no member
// code, which only the settings dialog makes (and says when it can't).

#include <gtest/gtest.h>

#include "SaverProcess.h"
#include "ScreenPixels.h"

#include <cstdlib>
#include <filesystem>
#include <string>

using namespace saverprocess;
namespace fs = std::filesystem;

namespace {

std::string Missing()
{
    const char* name = std::getenv("MISSING_LIBRARY");
    return name != nullptr ? name : "";
}

TEST(MissingLibrary, IsReallyMissing)
{
    ASSERT_FALSE(Missing().empty());
    EXPECT_EQ(LoadLibraryExA(Missing().c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32), nullptr);
}

TEST(MissingLibrary, SaverShowsItsCachedPictureAndKeepsRunning)
{
    const fs::path home = HomeWithCachedPicture("missing", PICTURE);
    Saver saver;
    // A service address where nothing listens: with WinInet there, no connection either.
    ASSERT_TRUE(saver.Start("--home \"" + home.string() + "\" --service 127.0.0.1:9 /s"));
    HWND window = WaitForSaverWindow(60000);
    ASSERT_NE(window, nullptr);
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    // The stripes leave a third of the screen black; a saver without its picture, all of it.
    EXPECT_TRUE(ScreenComesTo(0x000000, screen, [](double share) { return share < 0.6; }, 60000))
        << "the cached picture shows; black covers " << ShareOf(0x000000, screen);
    EXPECT_EQ(saver.Wait(10000), STILL_ACTIVE) << "the saver still runs 10 s on";
    EXPECT_EQ(WaitForDialog(saver.process.dwProcessId, 0), nullptr) << "nothing to tell";
    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0x00390001);
    EXPECT_EQ(saver.Wait(20000), 0u) << "a key ends it as always";
    std::error_code ignored;
    fs::remove_all(home, ignored);
}

} // namespace
