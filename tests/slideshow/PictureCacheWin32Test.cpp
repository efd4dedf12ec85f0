// The cache folder at start-up on Windows: backslash paths, ANSI names, the
// file system's own times and deletions, no command interpreter.

#include "host/SaverApp.h"
#include "slideshow/NativePath.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

class PictureCacheWin32 : public ::testing::Test {
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

    void Write(const std::string& name, int ageDays)
    {
        const std::string path = folderText + "\\" + name;
        std::FILE* out = std::fopen(path.c_str(), "wb");
        ASSERT_NE(out, nullptr) << path;
        std::fclose(out);
        if (ageDays > 0) {
            const fs::path file = PathFromText(path);
            fs::last_write_time(file, fs::last_write_time(file) - std::chrono::hours(24 * ageDays));
        }
    }

    fs::path folder;
    std::string folderText;
    SaverApp app;
};

TEST_F(PictureCacheWin32, ExpiresListsAndLeavesOtherFiles)
{
    Write("young.jpg", 0);
    Write("Shouting.JPG", 0);
    Write("old.jpg", 30);
    Write("old.png", 30);
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

TEST_F(PictureCacheWin32, AnsiNamesAreListedAsTheyAreWritten)
{
    if (GetACP() != 1252) {
        GTEST_SKIP() << "needs the Western code page";
    }
    Write("caf\xE9.jpg", 0);
    app.PrepareCache();
    EXPECT_EQ(app.pictureList, std::vector<std::string>{folderText + "\\caf\xE9.jpg"});
}

TEST_F(PictureCacheWin32, NamesOutsideTheCodePageStillExpire)
{
    const fs::path fresh = folder / L"\x4E2D.jpg";
    const fs::path old = folder / L"\x6587.jpg";
    for (const fs::path& file : {fresh, old}) {
        std::FILE* out = _wfopen(file.c_str(), L"wb");
        ASSERT_NE(out, nullptr);
        std::fclose(out);
    }
    fs::last_write_time(old, fs::last_write_time(old) - std::chrono::hours(24 * 30));
    app.PrepareCache();
    EXPECT_TRUE(app.pictureList.empty()); // no ANSI path could load it
    EXPECT_TRUE(fs::exists(fresh));
    EXPECT_FALSE(fs::exists(old));
}

TEST_F(PictureCacheWin32, MissingFolderIsCreated)
{
    app.options.SetString("ImagePath", folderText + "\\new\\images");
    app.PrepareCache();
    EXPECT_TRUE(fs::is_directory(folder / "new" / "images"));
    EXPECT_TRUE(app.pictureList.empty());
    EXPECT_EQ(app.rotationPos, -1);
}

} // namespace
