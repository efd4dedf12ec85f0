// The DirectX decision: DxDiag's version first, then the system libraries'
// file versions through the probe table, and the message with the version
// of the step that failed.

#include "host/GraphicsCheck.h"
#include "host/win32/DirectXCheck.h"
#include "tests/support/RecordingPlatform.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using Files = std::map<std::string, uint64_t>;

DxVersion FromFiles(const Files& files)
{
    return VersionFromFiles([&files](const char* name, uint64_t& version) {
        auto found = files.find(name);
        if (found == files.end()) return false;
        version = found->second;
        return true;
    });
}

std::string Text(const DxVersion& v) { return std::to_string(v.major) + "." + std::to_string(v.minor) + v.letter; }

TEST(CompareVersion, HighWordFirstUnsigned)
{
    EXPECT_EQ(CompareVersion(FileVersion(5, 1, 0, 0), FileVersion(4, 9, 9, 9)), 1);
    EXPECT_EQ(CompareVersion(FileVersion(4, 8, 1, 881), FileVersion(4, 8, 1, 881)), 0);
    EXPECT_EQ(CompareVersion(FileVersion(4, 8, 1, 880), FileVersion(4, 8, 1, 881)), -1);
    EXPECT_EQ(CompareVersion(FileVersion(0x8000, 0, 0, 0), FileVersion(1, 0, 0, 0)), 1) << "no sign in the high word";
    EXPECT_EQ(CompareVersion(FileVersion(1, 0, 0x8000, 0), FileVersion(1, 0, 1, 0)), 1) << "no sign in the low word";
}

TEST(ProbeTable, LastMatchingRowWins)
{
    EXPECT_EQ(Text(FromFiles({})), "0.0 ");
    EXPECT_EQ(Text(FromFiles({{"\\ddraw.dll", FileVersion(4, 2, 0, 95)}})), "1.0 ");
    EXPECT_EQ(Text(FromFiles({{"\\ddraw.dll", FileVersion(4, 2, 0, 94)}})), "0.0 ");
    EXPECT_EQ(Text(FromFiles({{"\\ddraw.dll", FileVersion(4, 4, 0, 68)}, {"\\d3drg8x.dll", FileVersion(4, 4, 0, 70)}})), "3.0a");
    EXPECT_EQ(Text(FromFiles({{"\\ddraw.dll", FileVersion(4, 7, 0, 700)}, {"\\dinput.dll", FileVersion(4, 7, 0, 716)}})), "7.0a");
    EXPECT_EQ(Text(FromFiles({{"\\dplayx.dll", FileVersion(4, 6, 3, 518)}})), "6.1a");
    // A 9.0c system whose libraries say 8.1a.
    EXPECT_EQ(Text(FromFiles({{"\\ddraw.dll", FileVersion(5, 3, 2600, 5512)}, {"\\d3d8.dll", FileVersion(5, 3, 2600, 5512)}})), "8.1a");
    EXPECT_EQ(Text(FromFiles({{"\\mpg2splt.ax", FileVersion(6, 3, 1, 885)}})), "8.1b");
    EXPECT_EQ(Text(FromFiles({{"\\mpg2splt.ax", FileVersion(6, 3, 1, 885)}, {"\\d3d9.dll", FileVersion(5, 3, 0, 0)}})), "9.0 ");
    EXPECT_EQ(Text(FromFiles({{"\\dpnet.dll", FileVersion(5, 2, 3677, 134)}})), "8.2 ");
    EXPECT_EQ(Text(FromFiles({{"\\dpnet.dll", FileVersion(5, 2, 3677, 133)}})), "0.0 ");
}

TEST(ProbeTable, SplitRowsOnlyForFirstNumbersFourAndFive)
{
    EXPECT_EQ(Text(FromFiles({{"\\ddraw.dll", FileVersion(4, 8, 0, 400)}})), "8.0 ");
    EXPECT_EQ(Text(FromFiles({{"\\ddraw.dll", FileVersion(5, 1, 2258, 399)}})), "7.0 ") << "5.x below the 5 threshold";
    EXPECT_EQ(Text(FromFiles({{"\\d3d8.dll", FileVersion(4, 8, 1, 881)}})), "8.1 ");
    EXPECT_EQ(Text(FromFiles({{"\\d3d8.dll", FileVersion(6, 0, 0, 0)}})), "0.0 ") << "first number 6 matches neither split";
}

TEST(DirectXDecision, DxDiagFirstThenTheFiles)
{
    int fileReads = 0;
    auto files = [&fileReads](DxVersion result) {
        return [&fileReads, result] { ++fileReads; return result; };
    };
    DxVersion shown;
    EXPECT_TRUE(DirectXAcceptable({9, 0, 'c'}, files({9, 0, ' '}), shown));
    EXPECT_TRUE(DirectXAcceptable({10, 0, ' '}, files({9, 0, ' '}), shown)) << "above 9 whatever the letter";

    fileReads = 0;
    EXPECT_FALSE(DirectXAcceptable({9, 0, 'b'}, files({9, 0, ' '}), shown));
    EXPECT_EQ(Text(shown), "9.0b");
    EXPECT_EQ(fileReads, 0) << "the files are not consulted";

    EXPECT_FALSE(DirectXAcceptable({8, 1, 'x'}, files({9, 0, ' '}), shown));
    EXPECT_EQ(Text(shown), "8.1x");

    EXPECT_FALSE(DirectXAcceptable({9, 0, static_cast<char>(0xE4)}, files({9, 0, ' '}), shown)) << "letters from 0x80 are below c";

    EXPECT_FALSE(DirectXAcceptable({9, 0, 'c'}, files({8, 1, 'a'}), shown));
    EXPECT_EQ(Text(shown), "8.1a") << "the values of the step that failed";
}

TEST(DirectXDecision, MessageText)
{
    EXPECT_EQ(DirectXMessage({9, 0, 'b'}),
              "DirectX 9.0c or higher required (9.0b detected).\r\nApplication will NOT be terminated - Good Luck!");
    EXPECT_EQ(DirectXMessage({0, 0, ' '}).substr(0, 48), "DirectX 9.0c or higher required (0.0  detected).");
}

// The check as start-up runs it, on the platform's probes: it decides and
// hands the message back; start-up shows it.
TEST(DirectXDecision, CheckOnThePlatformProbes)
{
    struct Case {
        const char* when;
        bool dxDiagReads;
        std::string systemDirectory;
        std::map<std::string, uint64_t> files; // in C:\windows\system32
        bool direct3d9Loads;
        const char* detected; // empty: acceptable
    };
    const uint64_t xp = FileVersion(5, 3, 2600, 5512);
    const Case cases[] = {
        {"9.0c and d3d9.dll", true, "C:\\windows\\system32", {{"d3d9.dll", xp}}, true, ""},
        {"DxDiag unavailable: nothing read", false, "C:\\windows\\system32", {{"d3d9.dll", xp}}, true, "0.0 "},
        {"no system directory: no file found", true, "", {{"d3d9.dll", xp}}, true, "0.0 "},
        {"libraries of 8.1a", true, "C:\\windows\\system32", {{"ddraw.dll", xp}, {"d3d8.dll", xp}}, true, "8.1a"},
        {"d3d9.dll that doesn't load from the system folder", true, "C:\\windows\\system32",
         {{"ddraw.dll", xp}, {"d3d8.dll", xp}, {"d3d9.dll", xp}}, false, "8.1a"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.when);
        ResetPlatformRecording();
        recording.dxDiagReads = c.dxDiagReads;
        recording.systemDirectory = c.systemDirectory;
        recording.fileVersions.clear();
        for (const auto& [name, version] : c.files) recording.fileVersions["C:\\windows\\system32\\" + name] = version;
        recording.direct3d9Loads = c.direct3d9Loads;
        const GraphicsCheckRun run = FinishGraphicsCheck(saver, BeginGraphicsCheck(saver));
        EXPECT_TRUE(run.finished);
        EXPECT_EQ(run.acceptable, *c.detected == 0);
        EXPECT_EQ(run.refusal, *c.detected == 0 ? std::string()
                                                : std::string("DirectX 9.0c or higher required (") + c.detected +
                                                      " detected).\r\nApplication will NOT be terminated - Good Luck!");
        EXPECT_TRUE(recording.boxes.empty()) << "start-up shows the message";
    }
}

} // namespace
