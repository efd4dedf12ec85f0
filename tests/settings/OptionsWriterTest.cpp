// Writing the options file: the exact layout, round trips through the
// reader, and failed writes that must leave the old file alone.

#include "SettingsTestSupport.h"

#include "settings/KeyValueStore.h"
#include "settings/OptionsFile.h"

#include <clocale>
#include <string>

namespace {

constexpr int64_t sundayEvening = 1796599800; // 2026-12-06 23:30 UTC

// A store as the dialog leaves it: some keys set, some empty or absent,
// duplicates and keys the layout doesn't know.
KeyValueStore DialogStore()
{
    KeyValueStore store;
    store.SetString("host", "www.elsewhere.example");
    store.SetString("Language", "0");
    store.list.AddPair("Language", "1");
    store.SetString("ImagePath", "C:\\Pictures\\Zembria");
    store.SetString("CacheDays", "");
    store.SetString("MemberLogin", "Jane Doe");
    store.SetString("MemberCode", "900150983CD24FB0D6963F7D28E17F72");
    store.SetInt("RefreshRate", 2);
    store.SetString("ShowZembrianTime", "no");
    store.SetString("ShowAllInfos", "yes");
    store.SetString("ProxyHost", "proxy.example");
    store.SetString("proxyport", "8080");
    store.SetString("offline", "yes");
    return store;
}

} // namespace

TEST(OptionsWriter, WritesTheReferenceLayoutByteForByte)
{
    const std::string reference = ReadBytes(ZEMBRIA_SOURCE_DIR "/tests/settings/data/Zembria-written.ini");
    ASSERT_FALSE(reference.empty());
    EXPECT_EQ(OptionsText(DialogStore(), sundayEvening), reference);

    TempFolder folder;
    const std::string path = folder.File("Zembria.ini");
    ASSERT_EQ(WriteOptions(DialogStore(), path, sundayEvening), 0);
    EXPECT_EQ(ReadBytes(path), reference);
}

TEST(OptionsWriter, DateIsUtcWithEnglishNamesWhateverTheLocale)
{
    EXPECT_EQ(OptionsDateText(0), "Thursday, January 01, 1970");
    EXPECT_EQ(OptionsDateText(-1), "Wednesday, December 31, 1969");
    EXPECT_EQ(OptionsDateText(1709208000), "Thursday, February 29, 2024");
    EXPECT_EQ(OptionsDateText(sundayEvening), "Sunday, December 06, 2026");
    EXPECT_EQ(OptionsDateText(INT64_MAX), "");
    EXPECT_EQ(OptionsDateText(INT64_MIN), "");

    const std::string saved = std::setlocale(LC_ALL, nullptr);
    bool german = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE", "German_Germany.1252", "German"}) {
        if (std::setlocale(LC_ALL, name)) {
            german = true;
            break;
        }
    }
    const std::string date = OptionsDateText(sundayEvening);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(date, "Sunday, December 06, 2026") << (german ? "under a German locale" : "no German locale here");
}

TEST(OptionsWriter, WhatIsWrittenReadsBackTheSame)
{
    TempFolder folder;
    const std::string path = folder.File("Zembria.ini");
    ASSERT_EQ(DialogStore().Save(path), 0);

    KeyValueStore read;
    ASSERT_EQ(read.Load(path), 0);
    EXPECT_EQ(PairsOf(read.list), (Pairs{
        {"Language", "0"}, {"ImagePath", "C:\\Pictures\\Zembria"}, {"CacheDays", "14"},
        {"MemberLogin", "Jane Doe"}, {"MemberCode", "900150983CD24FB0D6963F7D28E17F72"},
        {"RefreshRate", "2"}, {"ShowZembrianTime", "no"}, {"ShowLocalTime", "yes"},
        {"ShowAllInfos", "yes"}, {"ProxyHost", "proxy.example"}}));

    // Writing what was read gives the same file again, apart from the date line.
    ASSERT_EQ(WriteOptions(read, path, sundayEvening), 0);
    EXPECT_EQ(ReadBytes(path), OptionsText(DialogStore(), sundayEvening));
}

TEST(OptionsWriter, DownloadsOnAMeteredConnectionStayAsTheUserSetThem)
{
    KeyValueStore store = DialogStore();
    store.list.AddPair("MeteredDownloads", "yes");
    store.list.AddPair("MeteredDownloads", "no"); // a second one: readers see the first
    const std::string text = OptionsText(store, sundayEvening);
    EXPECT_NE(text.find("ShowAllInfos\t=\tyes\r\nMeteredDownloads\t=\tyes\r\n\r\n[Proxy"), std::string::npos) << text;
    EXPECT_EQ(text.find("MeteredDownloads\t=\tno"), std::string::npos);
}

TEST(OptionsWriter, ReplacesAnExistingFileAndLeavesNoTemporary)
{
    TempFolder folder;
    const std::string path = folder.Write("Zembria.ini", std::string(10000, 'o'));
    ASSERT_EQ(WriteOptions(DialogStore(), path, sundayEvening), 0);
    EXPECT_EQ(ReadBytes(path), OptionsText(DialogStore(), sundayEvening));
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path)) {
        ++files;
    }
    EXPECT_EQ(files, 1u);
}

TEST(OptionsWriter, FailedWritesReportOneAndKeepTheOldFile)
{
    TempFolder folder;
    const KeyValueStore store = DialogStore();
    const std::string notAFolder = folder.Write("plain.txt", "plain");
    EXPECT_EQ(WriteOptions(store, folder.File("missing") + "/Zembria.ini", sundayEvening), 1);
    EXPECT_EQ(WriteOptions(store, notAFolder + "/Zembria.ini", sundayEvening), 1);
    EXPECT_EQ(ReadBytes(notAFolder), "plain");

    // The target can't be replaced (it is a folder): the temporary is removed.
    std::filesystem::create_directory(folder.path / "Folder.ini");
    EXPECT_EQ(WriteOptions(store, folder.File("Folder.ini"), sundayEvening), 1);
    EXPECT_TRUE(std::filesystem::is_directory(folder.path / "Folder.ini"));
    for (const auto& entry : std::filesystem::directory_iterator(folder.path))
        EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
}

TEST(OptionsWriter, TheTemporaryFileOfAnotherSaverIsLeftAlone)
{
    // Two savers may save at once; neither takes the other's temporary file.
    TempFolder folder;
    const std::string path = folder.Write("Zembria.ini", "Language\t=\t1\r\n");
    folder.Write("Zembria.ini.tmp", "theirs");
    ASSERT_EQ(WriteOptions(DialogStore(), path, sundayEvening), 0);
    EXPECT_EQ(ReadBytes(path), OptionsText(DialogStore(), sundayEvening));
    EXPECT_EQ(ReadBytes(folder.File("Zembria.ini.tmp")), "theirs");
}

#ifndef _WIN32
TEST(OptionsWriter, TheFileStaysPrivateAndALinkStaysALink)
{
    // The file holds the member code: owner only, or stricter as the user set it.
    namespace fs = std::filesystem;
    using fs::perms;
    TempFolder folder;
    struct Case {
        const char* name;
        perms before; // perms::unknown: no file yet
        perms after;
    };
    const Case cases[] = {
        {"new.ini", perms::unknown, perms::owner_read | perms::owner_write},
        {"shared.ini", perms::owner_all | perms::group_all | perms::others_all, perms::owner_read | perms::owner_write},
        {"strict.ini", perms::owner_write, perms::owner_write},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.before != perms::unknown) {
            folder.Write(c.name, "old");
            fs::permissions(folder.path / c.name, c.before);
        }
        ASSERT_EQ(WriteOptions(DialogStore(), folder.File(c.name), sundayEvening), 0);
        EXPECT_EQ(fs::status(folder.path / c.name).permissions(), c.after);
    }

    // A file the user made read-only is not replaced.
    folder.Write("locked.ini", "old");
    fs::permissions(folder.path / "locked.ini", perms::owner_read);
    EXPECT_EQ(WriteOptions(DialogStore(), folder.File("locked.ini"), sundayEvening), 1);
    EXPECT_EQ(ReadBytes(folder.path / "locked.ini"), "old");

    // A linked file (a dotfile manager's) gets the text; the link stays.
    fs::create_directory(folder.path / "dotfiles");
    folder.Write("dotfiles/Zembria.ini", "old");
    fs::create_symlink("dotfiles/Zembria.ini", folder.path / "Zembria.ini");
    ASSERT_EQ(WriteOptions(DialogStore(), folder.File("Zembria.ini"), sundayEvening), 0);
    EXPECT_TRUE(fs::is_symlink(folder.path / "Zembria.ini"));
    EXPECT_EQ(ReadBytes(folder.path / "dotfiles" / "Zembria.ini"), OptionsText(DialogStore(), sundayEvening));
    EXPECT_EQ(fs::status(folder.path / "Zembria.ini").permissions(), perms::owner_read | perms::owner_write);
}
#endif

TEST(OptionsWriter, EmptyPathWritesFileTxtInTheCurrentFolder)
{
    TempFolder folder;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path);
    const int result = KeyValueStore{}.Save("");
    std::filesystem::current_path(previous);
    ASSERT_EQ(result, 0);

    KeyValueStore read;
    ASSERT_EQ(read.Load(folder.File("file.txt")), 0);
    EXPECT_EQ(read.GetString("RefreshRate", ""), "7");
    EXPECT_EQ(read.GetString("ImagePath", ""), "images");
}
