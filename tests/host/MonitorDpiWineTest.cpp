// The monitor's DPI on a wine desktop of known DPI (wine-run's WINE_RUN_DPI
// sets LogPixels in a prefix of the test's own; 96 without it), through
// shcore and through the screen where shcore is missing, and a window
// following a DPI change. The program carries the saver's manifest, so it is
// as DPI aware as the saver (wine tells every process the real DPI; Windows
// only the aware ones).

#include "platform/win32/MonitorDpi.h"
#include "platform/win32/WindowMessages.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

namespace {

int DesktopDpi()
{
    const char* dpi = std::getenv("WINE_RUN_DPI");
    return dpi != nullptr && *dpi != '\0' ? std::atoi(dpi) : 96;
}

RECT WindowRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

} // namespace

TEST(MonitorDpi, AnswersTheDesktopsDpiWithAndWithoutShcore)
{
    HMONITOR primary = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    EXPECT_EQ(MonitorDpi(primary), DesktopDpi());
    EXPECT_EQ(MonitorDpi(primary, nullptr), DesktopDpi()) << "as on Windows 7, from the screen";
}

TEST(MonitorDpi, AWindowTakesTheSuggestedRectangleUnlessItFillsItsMonitor)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ASSERT_TRUE(GetMonitorInfoA(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor));
    const RECT screen = monitor.rcMonitor;
    const RECT suggested{20, 30, 320, 180};
    const struct {
        RECT start;
        RECT expected;
    } rows[] = {
        {{10, 10, 210, 110}, suggested},
        {screen, screen},
    };
    for (const auto& row : rows) {
        HWND window = CreateWindowExA(0, "STATIC", "dpi", WS_POPUP | WS_VISIBLE, row.start.left, row.start.top,
                                      row.start.right - row.start.left, row.start.bottom - row.start.top, nullptr,
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(PlatformFollowDpiChange(window, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested)), 144);
        const RECT now = WindowRect(window);
        EXPECT_TRUE(EqualRect(&now, &row.expected))
            << now.left << "," << now.top << "," << now.right << "," << now.bottom;
        DestroyWindow(window);
    }
}
