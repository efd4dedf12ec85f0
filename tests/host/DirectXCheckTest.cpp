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

TEST(DirectXDecision, CheckOnThePlatformProbes)
{
    ResetPlatformRecording();
    EXPECT_TRUE(FinishGraphicsCheck(saver, BeginGraphicsCheck(saver)).acceptable);
    EXPECT_TRUE(recording.boxes.empty());

    recording.dxDiagReads = false; // nothing read: 0.0 and a blank
    EXPECT_FALSE(FinishGraphicsCheck(saver, BeginGraphicsCheck(saver)).acceptable);
    ASSERT_EQ(recording.boxes.size(), 1u);
    EXPECT_NE(recording.boxes[0].text.find("(0.0  detected)"), std::string::npos);

    ResetPlatformRecording();
    recording.systemDirectory.clear(); // no system directory: no file is found
    EXPECT_FALSE(FinishGraphicsCheck(saver, BeginGraphicsCheck(saver)).acceptable);

    ResetPlatformRecording();
    recording.fileVersions = {{"C:\\windows\\system32\\ddraw.dll", FileVersion(5, 3, 2600, 5512)},
                              {"C:\\windows\\system32\\d3d8.dll", FileVersion(5, 3, 2600, 5512)}};
    EXPECT_FALSE(FinishGraphicsCheck(saver, BeginGraphicsCheck(saver)).acceptable);
    ASSERT_EQ(recording.boxes.size(), 1u);
    EXPECT_NE(recording.boxes[0].text.find("(8.1a detected)"), std::string::npos);
    EXPECT_EQ(recording.boxes[0].caption, "Wrong DirectX version");

    // DirectX passes but D3DX can't be loaded: the same box names the library.
    ResetPlatformRecording();
    recording.missingD3dx = "d3dx9_43.dll";
    EXPECT_FALSE(FinishGraphicsCheck(saver, BeginGraphicsCheck(saver)).acceptable);
    ASSERT_EQ(recording.boxes.size(), 1u);
    EXPECT_EQ(recording.boxes[0].text, "DirectX 9.0c or higher required (d3dx9_43.dll not found).\r\n"
                                       "Application will NOT be terminated - Good Luck!");
    EXPECT_EQ(recording.boxes[0].caption, "Wrong DirectX version");
}

} // namespace
