// Reading the command line: the module name, the mode letters with their
// window handles, and the program's own options.

#include "host/ProgramOptions.h"
#include "host/RunMode.h"
#include "tests/support/RecordingPlatform.h"

#include <gtest/gtest.h>

namespace {

WindowHandle Handle(uintptr_t value) { return reinterpret_cast<WindowHandle>(value); }

class RunModeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetPlatformRecording();
        recording.windows = {Handle(1234), Handle(77)};
        recording.foreground = Handle(77);
    }
    ModeChoice Choose(const char* tail, bool older = false) { return ChooseMode(tail, older); }
};

TEST_F(RunModeTest, FullScreenLettersInEverySpelling)
{
    for (const char* tail : {"/s", "-s", "s", "/S", "  /s", " - /s"}) {
        SCOPED_TRACE(tail);
        ModeChoice choice = Choose(tail);
        EXPECT_EQ(choice.mode, LaunchMode::FullScreen);
        EXPECT_EQ(choice.parent, nullptr);
    }
}

TEST_F(RunModeTest, PreviewNeedsAnExistingWindow)
{
    for (const char* tail : {"/p 1234", "/p1234", "/P   1234", "/l 1234", "L1234"}) {
        SCOPED_TRACE(tail);
        ModeChoice choice = Choose(tail);
        EXPECT_EQ(choice.mode, LaunchMode::Preview);
        EXPECT_EQ(choice.parent, Handle(1234));
    }
    for (const char* tail : {"/p", "/p 0", "/p 999", "/p x1234", "/p -1234"}) {
        SCOPED_TRACE(tail);
        EXPECT_EQ(Choose(tail).mode, LaunchMode::Invalid);
    }
}

TEST_F(RunModeTest, SettingsOwnerOnlyAfterAColon)
{
    EXPECT_EQ(Choose("/c:1234").parent, Handle(1234));
    EXPECT_EQ(Choose("/C:1234").mode, LaunchMode::Settings);
    EXPECT_EQ(Choose("/c 1234").parent, Handle(77)) << "a blank instead of the colon gives the foreground window";
    EXPECT_EQ(Choose("/c:999").parent, Handle(77)) << "no such window";
    EXPECT_EQ(Choose("/c:0").parent, Handle(77));
    EXPECT_EQ(Choose("/c").parent, Handle(77));
    ModeChoice empty = Choose("");
    EXPECT_EQ(empty.mode, LaunchMode::Settings);
    EXPECT_EQ(empty.parent, nullptr) << "an empty tail opens the dialog without owner";
    EXPECT_EQ(Choose("  ").mode, LaunchMode::Settings);
}

TEST_F(RunModeTest, ChangePasswordOnlyOnTheOlderFamily)
{
    EXPECT_EQ(Choose("/a 1234", false).mode, LaunchMode::Invalid);
    ModeChoice older = Choose("/a 1234", true);
    EXPECT_EQ(older.mode, LaunchMode::Password);
    EXPECT_EQ(older.parent, Handle(1234));
    EXPECT_EQ(Choose("/A", true).parent, Handle(77));
    EXPECT_EQ(Choose("a 999", true).parent, Handle(77));
}

TEST_F(RunModeTest, AnyOtherCharacterIsRefused)
{
    for (const char* tail : {"/x", "x", "/\ts", "?", "1"}) {
        SCOPED_TRACE(tail);
        EXPECT_EQ(Choose(tail).mode, LaunchMode::Invalid);
    }
}

TEST(ParseWindowHandle, DigitsOnlyUnsigned32Bit)
{
    EXPECT_EQ(ParseWindowHandle("1234"), 1234u);
    EXPECT_EQ(ParseWindowHandle("12a34"), 12u);
    EXPECT_EQ(ParseWindowHandle(""), 0u);
    EXPECT_EQ(ParseWindowHandle("-5"), 0u);
    EXPECT_EQ(ParseWindowHandle("0x10"), 0u);
    EXPECT_EQ(ParseWindowHandle("4294967295"), 4294967295u);
    EXPECT_EQ(ParseWindowHandle("4294967296"), 0u) << "wraps in 32 bits";
    EXPECT_EQ(ParseWindowHandle("4294967297"), 1u);
}

TEST(SkipModuleName, QuotedAndPlainNames)
{
    EXPECT_STREQ(SkipModuleName("\"C:\\My Saver\\Zembria.scr\" /s"), "/s");
    EXPECT_STREQ(SkipModuleName("C:\\Saver\\Zembria.scr \t /p 12"), "/p 12");
    EXPECT_STREQ(SkipModuleName("Zembria.scr"), "");
    EXPECT_STREQ(SkipModuleName("\"unterminated /s"), "");
}

TEST(ProgramOptions, TakenOutOfTheTail)
{
    ProgramOptions options;
    std::string rest, error;
    ASSERT_EQ(ParseProgramOptions("--run-for 3 /p 1234 --window 640x480 --home \"Z:\\my home\" --service=127.0.0.1:8080 --snapshot out.png",
                                  options, rest, error),
              OptionsOutcome::Run);
    EXPECT_EQ(rest, " /p 1234    ");
    EXPECT_EQ(options.runForSeconds, 3);
    EXPECT_EQ(options.windowWidth, 640);
    EXPECT_EQ(options.windowHeight, 480);
    EXPECT_EQ(options.home, "Z:\\my home");
    EXPECT_EQ(options.service, "127.0.0.1:8080");
    EXPECT_EQ(options.snapshotPath, "out.png");

    ProgramOptions none;
    ASSERT_EQ(ParseProgramOptions("/c:12", none, rest, error), OptionsOutcome::Run);
    EXPECT_EQ(rest, "/c:12");
}

TEST(ProgramOptions, HelpVersionAndBadInput)
{
    ProgramOptions options;
    std::string rest, error;
    EXPECT_EQ(ParseProgramOptions("/s --help", options, rest, error), OptionsOutcome::Help);
    EXPECT_EQ(ParseProgramOptions("--version", options, rest, error), OptionsOutcome::Version);
    for (const char* bad : {"--run-for abc", "--run-for 0", "--run-for -3", "--run-for 99999999999", "--window 0x0",
                            "--window 640", "--window x480", "--window 640x", "--frobnicate /s", "/s --home", "--home=", "--home --service x"}) {
        SCOPED_TRACE(bad);
        error.clear();
        EXPECT_EQ(ParseProgramOptions(bad, options, rest, error), OptionsOutcome::Error);
        EXPECT_FALSE(error.empty());
    }
}

TEST(ProgramOptions, EnvironmentFillsWhatTheOptionsLeaveOpen)
{
    setenv("ZEMBRIA_HOME", "/srv/zembria", 1);
    setenv("ZEMBRIA_SERVICE", "127.0.0.1:9", 1);
    ProgramOptions options;
    options.service = "127.0.0.1:7";
    ApplyEnvironment(options);
    unsetenv("ZEMBRIA_HOME");
    unsetenv("ZEMBRIA_SERVICE");
    EXPECT_EQ(options.home, "/srv/zembria");
    EXPECT_EQ(options.service, "127.0.0.1:7") << "the option wins over the environment";

    saver.options = ProgramOptions{};
    EXPECT_EQ(ServiceHostOption(saver.options), ZEMBRIA_SERVICE_HOST);
    saver.options.service = "127.0.0.1:7";
    EXPECT_EQ(ServiceHostOption(saver.options), "127.0.0.1:7");
    saver.options = ProgramOptions{};
}

} // namespace
