// The cache on Windows: file times from the file system, names in the ANSI
// code page through std::filesystem, and PrepareCache end to end with
// backslash paths, deleting through the file system.

#include "host/SaverApp.h"
#include "host/Screens.h"
#include "render/RenderDevice.h"
#include "slideshow/FileTimes.h"
#include "slideshow/NativePath.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

class CacheWin32 : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("zembria-cache-" + std::to_string(GetCurrentProcessId()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        ASSERT_TRUE(TextFromPath(folder, folderText));
        app.options.SetString("ImagePath", folderText);
    }
    void TearDown() override { fs::remove_all(folder); }

    void Create(const fs::path& file, int ageDays = 0)
    {
        std::FILE* out = _wfopen(file.c_str(), L"wb");
        ASSERT_NE(out, nullptr);
        std::fclose(out);
        if (ageDays > 0) {
            fs::last_write_time(file, fs::last_write_time(file) - std::chrono::hours(24 * ageDays));
        }
    }

    fs::path folder;
    std::string folderText;
    Screens screens;
    RenderDevice& device = screens.First();
    SaverApp app{screens};
};

TEST_F(CacheWin32, TimesOfANewFileAndAnOldWrite)
{
    const fs::path file = folder / "a.jpg";
    Create(file);
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

    EXPECT_EQ(ReadFileTimes(folder / "gone.jpg", created, written), 1);
}

TEST_F(CacheWin32, NamesOutsideTheCodePageAreReported)
{
    std::string text;
    EXPECT_FALSE(TextFromPath(fs::path(L"\x4E2D\x6587.jpg"), text)); // CJK letters
    EXPECT_EQ(text.substr(text.size() - 4), ".jpg");
    EXPECT_TRUE(TextFromPath(fs::path(L"plain.jpg"), text));
    EXPECT_EQ(text, "plain.jpg");
}

TEST_F(CacheWin32, ExpiresListsAndLeavesOtherFiles)
{
    Create(folder / "young.jpg");
    Create(folder / "Shouting.JPG");
    Create(folder / "old.jpg", 30);
    Create(folder / "old.png", 30);
    fs::create_directories(folder / "album.jpg");
    app.PrepareCache();

    std::vector<std::string> listed = app.pictureList;
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::string>{folderText + "\\Shouting.JPG", folderText + "\\young.jpg"}));
    EXPECT_FALSE(fs::exists(folder / "old.jpg"));
    EXPECT_TRUE(fs::exists(folder / "old.png"));
    EXPECT_TRUE(fs::is_directory(folder / "album.jpg"));
    EXPECT_FALSE(fs::exists(folder / "dummy.txt"));
    EXPECT_EQ(app.rotationPos, 0);
}

TEST_F(CacheWin32, AnsiNamesAreListedAsTheyAreWritten)
{
    if (GetACP() != 1252) {
        GTEST_SKIP() << "needs the Western code page";
    }
    const std::string name = "caf\xE9.jpg"; // e acute in code page 1252
    std::FILE* out = std::fopen((folderText + "\\" + name).c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fclose(out);
    app.PrepareCache();
    EXPECT_EQ(app.pictureList, std::vector<std::string>{folderText + "\\" + name});
}

TEST_F(CacheWin32, NamesOutsideTheCodePageStillExpire)
{
    const fs::path fresh = folder / L"\x4E2D.jpg";
    const fs::path old = folder / L"\x6587.jpg";
    Create(fresh);
    Create(old, 30);
    app.PrepareCache();
    EXPECT_TRUE(app.pictureList.empty()); // no ANSI path could load it
    EXPECT_TRUE(fs::exists(fresh));
    EXPECT_FALSE(fs::exists(old));
}

TEST_F(CacheWin32, AnExistingProbeNameIsNeverTruncated)
{
    {
        std::FILE* out = _wfopen((folder / "dummy.txt").c_str(), L"wb");
        ASSERT_NE(out, nullptr);
        std::fputs("left over", out);
        std::fclose(out);
    }
    Create(folder / "a.jpg");
    app.PrepareCache();
    EXPECT_EQ(fs::file_size(folder / "dummy.txt"), 9u);
    EXPECT_EQ(app.pictureList, std::vector<std::string>{folderText + "\\a.jpg"});
}

TEST_F(CacheWin32, MissingFolderIsCreated)
{
    app.options.SetString("ImagePath", folderText + "\\new\\images");
    app.PrepareCache();
    EXPECT_TRUE(fs::is_directory(folder / "new" / "images"));
    EXPECT_TRUE(app.pictureList.empty());
    EXPECT_EQ(app.rotationPos, -1);
}

} // namespace
