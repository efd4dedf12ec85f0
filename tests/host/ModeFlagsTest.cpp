// Where the saver's files lie and whether it runs as the preview, from the
// process command line.

#include "host/ModeFlags.h"
#include "host/ProgramOptions.h"
#include "tests/support/RecordingPlatform.h"

#include <gtest/gtest.h>

namespace {

class ModeFlagsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetPlatformRecording(); }
    void Read(const std::string& line)
    {
        ReadModeFlags(saver.mode, saver.options, line, recording.modulePath);
    }
};

TEST_F(ModeFlagsTest, DirectoryOfTheModuleItselfWhateverTheCommandLineSays)
{
    // The desktop may start the saver through a short, upper-case path.
    recording.modulePath = "C:\\Windows\\System32\\Zembria.scr";
    for (const char* line : {"C:\\WINDOWS\\SYSTEM32\\ZEMBRIA.SCR /s", "C:\\WINDOW~1\\SYSTEM32\\ZEMBRIA~1.SCR /s",
                             "\"C:\\Windows\\system32\\Zembria.scr\" /s", "Zembria /s"}) {
        Read(line);
        EXPECT_EQ(saver.mode.ModuleDirectory, "C:\\Windows\\System32") << line;
    }
}

TEST_F(ModeFlagsTest, PreviewFromTheArgumentsOnly)
{
    Read("C:\\Saver\\Zembria.scr /p 1234");
    EXPECT_TRUE(saver.mode.PreviewMode);
    Read("C:\\Saver\\Zembria.scr -p1234");
    EXPECT_TRUE(saver.mode.PreviewMode);
    // A module under a path holding "/p" or "-p" still runs full screen.
    recording.modulePath = "C:\\my-pictures\\Zembria.scr";
    Read("\"C:\\my-pictures\\Zembria.scr\" /s");
    EXPECT_FALSE(saver.mode.PreviewMode);
    Read("C:/programs/Zembria.scr /s");
    EXPECT_FALSE(saver.mode.PreviewMode);
    // Case-sensitive, so /P and /l leave the program's own start-up running.
    Read("C:\\Saver\\Zembria.scr /P 1234");
    EXPECT_FALSE(saver.mode.PreviewMode);
    Read("C:\\Saver\\Zembria.scr /l 1234");
    EXPECT_FALSE(saver.mode.PreviewMode);
    // The program's own options are no mode letters.
    Read("C:\\Saver\\Zembria.scr --home /pictures /s");
    EXPECT_FALSE(saver.mode.PreviewMode);
}

TEST_F(ModeFlagsTest, HomeOptionReplacesTheModuleDirectoryAndIsMadeAbsolute)
{
    saver.options.home = "Z:\\work\\home";
    Read("\"C:\\Windows\\system32\\Zembria.scr\" /s");
    EXPECT_EQ(saver.mode.ModuleDirectory, "Z:\\work\\home");
    saver.options.home = "home";
    Read("\"C:\\Windows\\system32\\Zembria.scr\" /s");
    EXPECT_EQ(saver.mode.ModuleDirectory, "C:\\Users\\anna\\home");
}

} // namespace
