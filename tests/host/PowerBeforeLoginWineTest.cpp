// The real Zembria.scr hears the power settings Windows sends it before its
// first step asks the service, and after: each watched setting's real
// POWERBROADCAST_SETTING, written into the saver's own memory and posted to
// its window as Windows delivers it, read by the saver's own reader. Against
// an HTTP server on 127.0.0.1 that logs what it is asked: with a cached
// picture, a saver in energy saver (or battery saver) or with its monitors
// off asks nothing; once that ends, its next step asks.

#include <gtest/gtest.h>

#include "SaverProcess.h"
#include "service/win32/WinsockTestServer.h"


#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace saverprocess;
namespace fs = std::filesystem;

namespace {

constexpr GUID ConsoleDisplay = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr GUID EnergySaver = {0x550e8400, 0xe29b, 0x41d4, {0xa7, 0x16, 0x44, 0x66, 0x55, 0x44, 0x00, 0x00}};
constexpr GUID PowerSaving = {0xe00958c0, 0xc213, 0x4ace, {0xac, 0x77, 0xfe, 0xcc, 0xed, 0x2e, 0xee, 0xa5}};

// Polls until the service was asked, or the time is up.
bool AskedWithin(WinsockTestServer& server, DWORD milliseconds)
{
    for (DWORD waited = 0; server.Targets().empty(); waited += 50) {
        if (waited >= milliseconds) return false;
        Sleep(50);
    }
    return true;
}

struct Setting {
    const GUID* guid;
    DWORD value;
};

// A power-setting event as Windows delivers it: the setting in the saver's own memory.
void PostSetting(Saver& saver, HWND window, const Setting& setting)
{
    struct {
        POWERBROADCAST_SETTING head;
        BYTE rest[sizeof(DWORD)];
    } event{};
    event.head.PowerSetting = *setting.guid;
    event.head.DataLength = sizeof(DWORD);
    std::memcpy(event.head.Data, &setting.value, sizeof(DWORD));
    void* there = VirtualAllocEx(saver.process.hProcess, nullptr, sizeof event, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    ASSERT_NE(there, nullptr);
    ASSERT_TRUE(WriteProcessMemory(saver.process.hProcess, there, &event, sizeof event, nullptr));
    ASSERT_TRUE(PostMessageA(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(there)));
}

std::string ReadAll(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Polls the start-up trace until the step shows, or the time is up.
bool StepCame(const fs::path& trace, const char* step, DWORD milliseconds)
{
    for (DWORD waited = 0; ReadAll(trace).find(step) == std::string::npos; waited += 50) {
        if (waited >= milliseconds) return false;
        Sleep(50);
    }
    return true;
}

TEST(PowerSettings, HeardBeforeTheFirstStepAndAfter)
{
    struct Row {
        const char* what;
        std::vector<Setting> before, after;
    };
    const Row rows[] = {
        {"energy saver", {{&ConsoleDisplay, 1}, {&EnergySaver, 1}, {&PowerSaving, 0}}, {{&EnergySaver, 0}}},
        {"battery saver, where energy saver isn't told", {{&PowerSaving, 1}}, {{&PowerSaving, 0}}},
        {"monitors off", {{&ConsoleDisplay, 0}}, {{&ConsoleDisplay, 1}}},
    };
    const fs::path root = HomeWithCachedPicture("power", PICTURE);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        WinsockTestServer server; // knows no path: the service is away
        // The events must reach the saver before its start-up's last step;
        // a start-up too quick for that is tried again.
        bool caught = false;
        for (int attempt = 0; attempt < 3 && !caught; ++attempt) {
            const fs::path trace = root / ("trace-" + std::to_string(attempt) + ".txt");
            SetEnvironmentVariableA("ZEMBRIA_STARTUP_TRACE", trace.string().c_str());
            Saver saver;
            ASSERT_TRUE(saver.Start("--home \"" + root.string() + "\" --service 127.0.0.1:" + std::to_string(server.port) + " /s"));
            HWND window = nullptr;
            for (int polls = 0; polls < 60000 && window == nullptr; ++polls) {
                window = FindWindowA("WindowsScreenSaverClass", "Screen Saver");
                if (window == nullptr) Sleep(1);
            }
            ASSERT_NE(window, nullptr);
            for (const Setting& setting : row.before) PostSetting(saver, window, setting);
            // The last start-up step before the first asks is the DirectX check's decision.
            caught = ReadAll(trace).find("graphics check decided") == std::string::npos;
            ASSERT_TRUE(StepCame(trace, "login or offline hint", 60000)) << ReadAll(trace);
            if (!caught) {
                PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0x00390001);
                EXPECT_EQ(saver.Wait(20000), 0u);
                continue;
            }
            EXPECT_TRUE(server.Targets().empty()) << "asked at start-up: " << server.Targets().front();
            // The saver draws on, and still asks nothing.
            EXPECT_EQ(saver.Wait(1000), STILL_ACTIVE);
            EXPECT_TRUE(server.Targets().empty()) << "asked after start-up: " << server.Targets().front();

            for (const Setting& setting : row.after) PostSetting(saver, window, setting);
            EXPECT_TRUE(AskedWithin(server, 60000)) << "the next step asks";
            PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0x00390001);
            EXPECT_EQ(saver.Wait(20000), 0u);
        }
        SetEnvironmentVariableA("ZEMBRIA_STARTUP_TRACE", nullptr);
        EXPECT_TRUE(caught) << "start-up was over before the events could reach it, 3 times";
    }
    std::error_code ignored;
    fs::remove_all(root, ignored);
}

} // namespace
