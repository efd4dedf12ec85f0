// The Windows side of the cache's file access: creation and write times from
// the file system, and names in the ANSI code page through std::filesystem.

#include "slideshow/FileTimes.h"
#include "slideshow/NativePath.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

class CacheFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("zembria-times-" + std::to_string(GetCurrentProcessId()));
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder;
};

TEST_F(CacheFolder, TimesOfANewFileAndAnOldWrite)
{
    const fs::path file = folder / "a.jpg";
    std::FILE* out = _wfopen(file.c_str(), L"wb");
    ASSERT_NE(out, nullptr);
    std::fclose(out);
    const int64_t now = static_cast<int64_t>(std::time(nullptr));

    int64_t created = 0;
    int64_t written = 0;
    ASSERT_EQ(ReadFileTimes(file, created, written), 0);
    EXPECT_NEAR(static_cast<double>(created), static_cast<double>(now), 120.0);
    EXPECT_NEAR(static_cast<double>(written), static_cast<double>(now), 120.0);

    fs::last_write_time(file, fs::last_write_time(file) - std::chrono::hours(24 * 20));
    // Wine derives the creation time from the Unix times, so only the write
    // time is checked here; the decision itself is tested natively.
    ASSERT_EQ(ReadFileTimes(file, created, written), 0);
    EXPECT_NEAR(static_cast<double>(written), static_cast<double>(now - 20 * 86400), 120.0);
}

TEST_F(CacheFolder, MissingFileHasNoTimes)
{
    int64_t created = 0;
    int64_t written = 0;
    EXPECT_EQ(ReadFileTimes(folder / "gone.jpg", created, written), 1);
}

TEST_F(CacheFolder, NamesOutsideTheCodePageAreReported)
{
    std::string text;
    EXPECT_FALSE(TextFromPath(fs::path(L"\x4E2D\x6587.jpg"), text)); // CJK letters
    EXPECT_EQ(text.substr(text.size() - 4), ".jpg");
    EXPECT_TRUE(TextFromPath(fs::path(L"plain.jpg"), text));
    EXPECT_EQ(text, "plain.jpg");
}

} // namespace
