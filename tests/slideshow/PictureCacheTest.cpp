// The cache folder at start-up, end to end on real folders. Creation times
// can't be set back here, so the tests move the clock instead: a clock ahead
// of the real one makes every file old, a clock behind makes them future.

#include "host/SaverApp.h"
#include "host/Screens.h"
#include "render/RenderDevice.h"
#include "platform/Paths.h"
#include "tests/slideshow/CacheFiles.h"
#include "tests/support/RecordingPlatform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>

namespace fs = std::filesystem;

namespace {

constexpr int64_t Hour = 3600;
constexpr int64_t Day = 86400;

class PictureCache : public ::testing::Test {
protected:
    void SetUp() override
    {
        realNow = static_cast<int64_t>(std::time(nullptr));
        recording.now = realNow;
        app.options.SetString("ImagePath", folder.path.string());
    }

    std::string Listed(const std::string& name) const { return JoinPath(folder.path.string(), name); }
    bool OnDisk(const std::string& name) const { return fs::exists(folder.path / name); }

    std::vector<std::string> Sorted(std::vector<std::string> list) const
    {
        std::sort(list.begin(), list.end());
        return list;
    }

    TempFolder folder;
    Screens screens;
    RenderDevice& device = screens.First();
    SaverApp app{screens};
    int64_t realNow = 0;
};

TEST_F(PictureCache, KeepsYoungPicturesAndDeletesOldOnes)
{
    WriteAt(folder, "young.jpg", realNow - 13 * Day - 23 * Hour);
    WriteAt(folder, "old.jpg", realNow - 14 * Day);
    WriteAt(folder, "new.jpg", realNow);
    app.PrepareCache();

    EXPECT_EQ(Sorted(app.pictureList), (std::vector<std::string>{Listed("new.jpg"), Listed("young.jpg")}));
    EXPECT_TRUE(OnDisk("young.jpg"));
    EXPECT_FALSE(OnDisk("old.jpg"));
    EXPECT_EQ(app.rotationPos, 0);
}

TEST_F(PictureCache, ListsInTheFoldersOwnOrder)
{
    for (const char* name : {"c.jpg", "a.jpg", "b.jpg", "e.jpg", "d.jpg"}) {
        folder.Write(name, "x");
    }
    std::vector<std::string> enumerated;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder.path)) {
        enumerated.push_back(Listed(entry.path().filename().string()));
    }
    app.PrepareCache();
    EXPECT_EQ(app.pictureList, enumerated);
}

TEST_F(PictureCache, OldCreationExpiresARecentlyRewrittenPicture)
{
    recording.now = realNow + 20 * Day;
    WriteAt(folder, "rewritten.jpg", realNow + 20 * Day - Hour);
    app.PrepareCache();
    EXPECT_TRUE(app.pictureList.empty());
    EXPECT_FALSE(OnDisk("rewritten.jpg"));
    EXPECT_EQ(app.rotationPos, -1);
}

TEST_F(PictureCache, ZeroDaysEmptyTheCacheButKeepFuturePictures)
{
    // Created and written after the clock's now: negative ages stay.
    recording.now = realNow - 3 * Day;
    WriteAt(folder, "future.jpg", realNow);
    WriteAt(folder, "written-before-now.jpg", realNow - 4 * Day);
    app.options.SetString("CacheDays", "0");
    app.PrepareCache();

    EXPECT_FALSE(OnDisk("written-before-now.jpg"));
    EXPECT_EQ(app.pictureList, std::vector<std::string>{Listed("future.jpg")});
}

TEST_F(PictureCache, DaysThatAreNoWholeNumberMeanFourteen)
{
    // A typo in the file must not empty the cache.
    for (const char* days : {"", "abc", "-1", "3x", "99999999999"}) {
        SCOPED_TRACE(days);
        app.options.SetString("CacheDays", days);
        WriteAt(folder, "young.jpg", realNow - 13 * Day);
        WriteAt(folder, "old.jpg", realNow - 15 * Day);
        app.PrepareCache();
        EXPECT_EQ(app.pictureList, std::vector<std::string>{Listed("young.jpg")});
        EXPECT_FALSE(OnDisk("old.jpg"));
    }
}

TEST_F(PictureCache, OnlyJpegFilesDirectlyInTheFolderAreConsidered)
{
    WriteAt(folder, "old.png", realNow - 30 * Day);
    WriteAt(folder, "old.jpeg", realNow - 30 * Day);
    WriteAt(folder, "old.JPG", realNow - 30 * Day);
    folder.Write("Shouting.JPG", "x");
    fs::create_directories(folder.path / "album.jpg");
    fs::create_directories(folder.path / "sub");
    WriteAt(folder, "sub/nested.jpg", realNow - 30 * Day);
    fs::last_write_time(folder.path / "album.jpg", fs::last_write_time(folder.path / "old.png"));
    app.PrepareCache();

    EXPECT_EQ(app.pictureList, std::vector<std::string>{Listed("Shouting.JPG")});
    EXPECT_TRUE(OnDisk("old.png"));
    EXPECT_TRUE(OnDisk("old.jpeg"));
    EXPECT_FALSE(OnDisk("old.JPG"));
    EXPECT_TRUE(fs::is_directory(folder.path / "album.jpg"));
    EXPECT_TRUE(OnDisk("sub/nested.jpg"));
}

TEST_F(PictureCache, MissingFolderIsCreatedPrivateAndNothingListed)
{
    const fs::path missing = folder.path / "new" / "images";
    app.options.SetString("ImagePath", missing.string());
    app.PrepareCache();
    EXPECT_TRUE(fs::is_directory(missing));
    // Nobody else may plant files in it, nor in the folder made above it.
    EXPECT_EQ(fs::status(missing).permissions(), fs::perms::owner_all);
    EXPECT_EQ(fs::status(missing.parent_path()).permissions(), fs::perms::owner_all);
    EXPECT_TRUE(app.pictureList.empty());
    EXPECT_EQ(app.rotationPos, -1);
}

TEST_F(PictureCache, AnExistingProbeNameIsNeverOpened)
{
    // Another user may plant dummy.txt as a link to a file of ours; a
    // leftover one is left whole too. The folder still counts as usable.
    TempFolder elsewhere;
    const std::string target = elsewhere.Write("precious", "keep me");
    for (const bool link : {true, false}) {
        SCOPED_TRACE(link ? "link" : "file");
        fs::remove(folder.path / "dummy.txt");
        if (link)
            fs::create_symlink(target, folder.path / "dummy.txt");
        else
            folder.Write("dummy.txt", "left over");
        folder.Write("a.jpg", "x");
        app.PrepareCache();
        EXPECT_EQ(ReadBytes(target), "keep me");
        EXPECT_EQ(ReadBytes(folder.path / "dummy.txt"), link ? "keep me" : "left over");
        EXPECT_EQ(fs::is_symlink(folder.path / "dummy.txt"), link);
        EXPECT_EQ(app.pictureList, std::vector<std::string>{Listed("a.jpg")});
    }
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.path))
        ++files;
    EXPECT_EQ(files, 2u); // no probe left behind
}

TEST_F(PictureCache, OnlyItsOwnAbandonedTemporariesAreSwept)
{
    struct Case {
        const char* name;
        int64_t age;
        bool stays;
    };
    const Case cases[] = {
        {"a.jpg.4242-1.tmp", 2 * Hour, false},    // a download that died
        {"dummy.txt.4242-7.tmp", 2 * Hour, false}, // a probe that died
        {".zembria-answer.4242-8.tmp", 2 * Hour, false}, // a shared answer never renamed
        {".zembria-answer.4242-9.tmp", 10 * 60, true},
        {"b.jpg.4242-2.tmp", 10 * 60, true},      // another saver may still write it
        {"other.tmp", 2 * Hour, true},            // not ours
        {"a.jpg.tmp", 2 * Hour, true},
        {"notes.txt.4242-3.tmp", 2 * Hour, true},
        {"a.jpg.42x-3.tmp", 2 * Hour, true},
    };
    for (const Case& c : cases)
        WriteAt(folder, c.name, realNow - c.age);
    app.PrepareCache();
    for (const Case& c : cases)
        EXPECT_EQ(OnDisk(c.name), c.stays) << c.name;
    EXPECT_TRUE(app.pictureList.empty());

    // Never a link, whatever its name and age.
    TempFolder elsewhere;
    fs::create_symlink(WriteAt(elsewhere, "old", realNow - 2 * Hour), folder.path / ".zembria-answer.4242-10.tmp");
    app.PrepareCache();
    EXPECT_TRUE(fs::is_symlink(folder.path / ".zembria-answer.4242-10.tmp"));
}

TEST_F(PictureCache, OnlyAnAbandonedEmptyProbeIsSwept)
{
    // A probe whose delete failed leaves an empty dummy.txt; one with content,
    // a link or a folder of that name is someone else's.
    TempFolder elsewhere;
    const fs::path target = elsewhere.Write("empty", "");
    fs::last_write_time(target, fs::last_write_time(target) - std::chrono::hours(2));
    enum Kind { Empty, WithContent, Link, Folder };
    struct Case {
        Kind kind;
        int64_t age;
        bool stays;
    };
    const Case cases[] = {
        {Empty, 2 * Hour, false}, {Empty, 10 * 60, true}, {WithContent, 2 * Hour, true},
        {Link, 2 * Hour, true},   {Folder, 2 * Hour, true},
    };
    const fs::path probe = folder.path / "dummy.txt";
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        fs::remove_all(probe);
        if (c.kind == Link)
            fs::create_symlink(target, probe);
        else if (c.kind == Folder)
            fs::create_directory(probe);
        else
            folder.Write("dummy.txt", c.kind == Empty ? "" : "notes");
        if (c.kind != Link)
            fs::last_write_time(probe, fs::last_write_time(probe) - std::chrono::seconds(c.age));
        app.PrepareCache();
        EXPECT_EQ(fs::exists(fs::symlink_status(probe)), c.stays);
        EXPECT_TRUE(fs::exists(target));
    }
}

TEST_F(PictureCache, TrailingSeparatorStillNamesTheFiles)
{
    app.options.SetString("ImagePath", folder.path.string() + "/");
    folder.Write("a.jpg", "x");
    app.PrepareCache();
    ASSERT_EQ(app.pictureList.size(), 1u);
    EXPECT_EQ(app.pictureList[0], folder.path.string() + "//a.jpg");
    EXPECT_TRUE(fs::is_regular_file(app.pictureList[0]));
}

TEST_F(PictureCache, ARescanReplacesTheList)
{
    app.pictureList = {"stale.jpg"};
    folder.Write("a.jpg", "x");
    app.PrepareCache();
    EXPECT_EQ(app.pictureList, std::vector<std::string>{Listed("a.jpg")});
}

} // namespace
