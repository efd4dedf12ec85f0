// The Linux saver's reading of its mode words and environment, and where
// its files lie.

#include "host/CacheShare.h"
#include "host/linux/CacheFolderClaim.h"
#include "host/linux/IdleOption.h"
#include "host/linux/LinuxMode.h"
#include "host/ModeFlags.h"
#include "tests/support/RecordingPlatform.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <thread>

namespace fs = std::filesystem;

TEST(LinuxModeTest, WordsAndEnvironmentChooseTheMode)
{
    struct Case {
        std::vector<std::string> words;
        const char* environment;
        LinuxMode mode;
        unsigned long window;
    };
    const Case cases[] = {
        {{}, nullptr, LinuxMode::FullScreen, 0},
        {{"-s"}, nullptr, LinuxMode::FullScreen, 0},
        {{"/S"}, "", LinuxMode::FullScreen, 0},
        {{}, "0x1a00007", LinuxMode::IntoWindow, 0x1a00007},   // as xscreensaver starts a hack
        {{"-root"}, "4194311", LinuxMode::IntoWindow, 4194311}, // its window beats -root
        {{"-root"}, nullptr, LinuxMode::IntoRoot, 0},
        {{"-window-id", "77"}, "0x1a00007", LinuxMode::IntoWindow, 77},
        {{"-c"}, nullptr, LinuxMode::Settings, 0},
        {{"-p", "1234"}, nullptr, LinuxMode::Preview, 0},
        {{"-window-id"}, nullptr, LinuxMode::Invalid, 0},
        {{"-window-id", "0"}, nullptr, LinuxMode::Invalid, 0},
        {{"-window-id", "12x"}, nullptr, LinuxMode::Invalid, 0},
        {{}, "not-a-window", LinuxMode::Invalid, 0},
        {{"-x"}, nullptr, LinuxMode::Invalid, 0},
    };
    for (const Case& c : cases) {
        std::string words;
        for (const std::string& word : c.words) words += word + " ";
        SCOPED_TRACE(words + "| " + (c.environment ? c.environment : "(unset)"));
        const LinuxModeChoice choice = ChooseLinuxMode(c.words, c.environment);
        EXPECT_EQ(choice.mode, c.mode);
        EXPECT_EQ(choice.window, c.window);
        EXPECT_EQ(choice.error.empty(), c.mode != LinuxMode::Invalid);
    }
}

TEST(LinuxModeTest, TheIdleOptionIsTakenOutAndTheRestKeptForTheSaver)
{
    struct Case {
        std::vector<std::string> args;
        int result;
        uint32_t seconds;
        std::vector<std::string> rest;
    };
    const Case cases[] = {
        {{"--offline", "-s"}, 0, 0, {"--offline", "-s"}},
        {{"--idle", "10", "--offline"}, 0, 600, {"--offline"}},
        {{"-idle=1440"}, 0, 86400, {}},
        {{"--home", "/h", "--idle-seconds", "5"}, 0, 5, {"--home", "/h"}},
        {{"--idle", "0"}, 1, 0, {}},
        {{"--idle", "1441"}, 1, 0, {}},
        {{"--idle", "-s"}, 1, 0, {}},
        {{"--idle"}, 1, 0, {}},
        {{"--idle-seconds", "86401"}, 1, 0, {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        uint32_t seconds = 0;
        std::string error;
        EXPECT_EQ(TakeIdleOption(args, seconds, error), c.result) << c.args[0];
        if (c.result != 0) {
            EXPECT_NE(error.find("--idle"), std::string::npos);
            continue;
        }
        EXPECT_EQ(seconds, c.seconds) << c.args[0];
        EXPECT_EQ(args, c.rest) << c.args[0];
    }
}

TEST(LinuxModeTest, FilesFollowTheXdgFoldersUnlessHomeIsGiven)
{
    const fs::path program = fs::temp_directory_path() / ("zembria-xdg-" + std::to_string(::getpid())) / "bin";
    fs::create_directories(program);

    // Installed: dictionaries in the prefix's share/zembria; unset or relative variables fall back to ~.
    SaverFolders installed = XdgFolders({"/x/config", "relative/cache", "/home/anna", program.string(), ""});
    EXPECT_EQ(installed.options, "/x/config/zembria");
    EXPECT_EQ(installed.cache, "/home/anna/.cache/zembria/images");
    EXPECT_EQ(installed.dictionaries, (program.parent_path() / "share" / "zembria").string());
    EXPECT_EQ(XdgFolders({nullptr, "/x/cache", "/home/anna", program.string(), ""}).options, "/home/anna/.config/zembria");
    // The hack xscreensaver runs from <prefix>/libexec/xscreensaver.
    EXPECT_EQ(XdgFolders({nullptr, nullptr, "/home/anna", "/opt/z/libexec/xscreensaver", ""}).dictionaries,
              "/opt/z/share/zembria");

    // Run from the build tree: the dictionaries beside the program.
    std::ofstream(program / "dictionary.1") << "App = Zembria\n";
    EXPECT_EQ(XdgFolders({nullptr, nullptr, "/home/anna", program.string(), ""}).dictionaries, program.string());

    // The process entry's choice, and --home over it.
    saver.mode.separateFolders = installed;
    saver.options.home.clear();
    EXPECT_EQ(CurrentFolders(saver.mode, saver.options).cache, installed.cache);
    saver.options.home = saver.mode.ModuleDirectory = "/srv/zembria";
    const SaverFolders home = CurrentFolders(saver.mode, saver.options);
    EXPECT_EQ(home.options, "/srv/zembria");
    EXPECT_EQ(home.dictionaries, "/srv/zembria");
    EXPECT_EQ(home.cache, "/srv/zembria/images");
    saver.mode.separateFolders = {};
    saver.options.home.clear();
    fs::remove_all(program.parent_path());
}

TEST(LinuxModeTest, WithoutHomeThePasswordDatabaseDecidesAndNeverASharedFolder)
{
    struct Case {
        const char* configHome;
        const char* cacheHome;
        const char* home;
        const char* passwordHome;
        const char* options;
        const char* cache;
    };
    const Case cases[] = {
        {nullptr, nullptr, "/home/anna", "/home/pw", "/home/anna/.config/zembria", "/home/anna/.cache/zembria/images"},
        {nullptr, nullptr, nullptr, "/home/pw", "/home/pw/.config/zembria", "/home/pw/.cache/zembria/images"},
        {nullptr, nullptr, "", "/home/pw", "/home/pw/.config/zembria", "/home/pw/.cache/zembria/images"},
        {nullptr, nullptr, "relative", "/home/pw", "/home/pw/.config/zembria", "/home/pw/.cache/zembria/images"},
        {nullptr, nullptr, nullptr, "", "", ""},
        {nullptr, nullptr, nullptr, "relative", "", ""},
        {"/x/config", "/x/cache", nullptr, "", "/x/config/zembria", "/x/cache/zembria/images"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.home ? c.home : "(unset)") + " | " + c.passwordHome);
        const SaverFolders folders = XdgFolders({c.configHome, c.cacheHome, c.home, "/opt/z/bin", c.passwordHome});
        EXPECT_EQ(folders.options, c.options);
        EXPECT_EQ(folders.cache, c.cache);
    }

    // No home at all: the saver keeps neither, and never falls back to the program's folder.
    saver.options.home.clear();
    saver.mode.ModuleDirectory = "/opt/z/bin";
    saver.mode.separateFolders = XdgFolders({nullptr, nullptr, nullptr, "/opt/z/bin", ""});
    EXPECT_EQ(CurrentFolders(saver.mode, saver.options).options, "");
    EXPECT_EQ(CurrentFolders(saver.mode, saver.options).cache, "");
    EXPECT_EQ(CurrentFolders(saver.mode, saver.options).dictionaries, "/opt/z/share/zembria");
    saver.mode.separateFolders = {};
    saver.mode.ModuleDirectory.clear();
}

TEST(LinuxModeTest, AChosenOrHomeCacheFolderMustBeTheUsersOwnAndAChosenOneHoldOnlyTheHacksFiles)
{
    const fs::path root = fs::temp_directory_path() / ("zembria-claim-" + std::to_string(getpid()));
    const fs::path folder = root / "cache";
    struct Case {
        std::vector<std::string> files;
        fs::perms mode;
        bool foreignOwner;
        bool link; // folder is a link to a folder of the user's
        CacheFolderKind kind;
        int result;
    };
    constexpr fs::perms Private = fs::perms::owner_all;
    constexpr fs::perms Readable = Private | fs::perms::group_read | fs::perms::group_exec |
                                   fs::perms::others_read | fs::perms::others_exec;
    constexpr CacheFolderKind Chosen = CacheFolderKind::Chosen, Home = CacheFolderKind::Home;
    const Case cases[] = {
        {{}, Readable, false, false, Chosen, 0},
        {{CacheLockName, CacheAnswerName}, Private, false, false, Chosen, 0}, // left by hacks before the marker
        {{CacheLockName, "holiday.jpg"}, Private, false, false, Chosen, 1},
        {{".zembria-answer.4242-1.tmp"}, Private, false, false, Chosen, 0}, // a leader killed before its rename
        {{"a.jpg.4242-1.tmp"}, Private, false, false, Chosen, 1},
        {{}, Private | fs::perms::group_write, false, false, Chosen, 1},
        {{CacheMarkerName}, fs::perms::all, false, false, Chosen, 1},
        {{CacheMarkerName}, Private, true, false, Chosen, 1},
        {{}, Private, false, true, Chosen, 1},
        {{"holiday.jpg"}, Readable, false, false, Home, 0}, // the home's cache is the saver's by its name
        {{}, Private | fs::perms::others_write, false, false, Home, 1},
        {{}, Private, true, false, Home, 1},
        {{}, Private, false, true, Home, 1},
    };
    for (const Case& c : cases) {
        if (c.foreignOwner && geteuid() != 0)
            continue; // only root can give a folder away
        fs::remove_all(root);
        const fs::path real = c.link ? root / "real" : folder;
        fs::create_directories(real);
        if (c.link)
            fs::create_directory_symlink(real, folder);
        for (const std::string& name : c.files)
            std::ofstream(real / name) << "x";
        fs::permissions(real, c.mode);
        if (c.foreignOwner)
            ASSERT_EQ(chown(real.c_str(), 65534, 65534), 0);
        const bool marked = fs::exists(real / CacheMarkerName);
        std::string error;
        EXPECT_EQ(ClaimCacheFolder(folder.string(), c.kind, error), c.result) << c.files.size() << " " << error;
        EXPECT_EQ(fs::exists(real / CacheMarkerName), c.result == 0 || marked);
        EXPECT_EQ(error.empty(), c.result == 0);
    }
    fs::remove_all(root);
}

TEST(LinuxModeTest, ACacheFolderAnotherUserMakesWhileTheSaverMakesItIsRefusedAndKept)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only root can hand a folder to another user";
    // The saver makes the missing levels, then the folder. Another user's
    // folder, ready beside it, is renamed in the moment the last level
    // appears, and never over a folder already there.
    const fs::path root = fs::temp_directory_path() / ("zembria-gap-" + std::to_string(getpid()));
    const fs::path theirs = root / "theirs", folder = root / "level" / "cache";
    int refused = 0;
    for (int round = 0; round < 200; ++round) {
        fs::remove_all(root);
        fs::create_directories(theirs);
        std::ofstream(theirs / "photo.jpg") << "x";
        ASSERT_EQ(chown(theirs.c_str(), 65534, 65534), 0);
        std::atomic<bool> trying{false}, claimed{false};
        std::thread other([&] {
            trying = true;
            while (!claimed && renameat2(AT_FDCWD, theirs.c_str(), AT_FDCWD, folder.c_str(), RENAME_NOREPLACE) != 0) {}
        });
        while (!trying) std::this_thread::yield();
        std::string error;
        const int result = ClaimCacheFolder(folder.string(), CacheFolderKind::Chosen, error);
        claimed = true;
        other.join();
        struct stat info {};
        ASSERT_EQ(lstat(folder.c_str(), &info), 0);
        const bool ours = info.st_uid == geteuid();
        ASSERT_EQ(result == 0, ours) << "round " << round << ": " << error;
        if (!ours) {
            ++refused;
            EXPECT_TRUE(fs::exists(folder / "photo.jpg")) << "round " << round;
        }
    }
    std::cout << refused << " of 200 folders were the other user's\n";
    fs::remove_all(root);
}

TEST(LinuxModeTest, HacksClaimingANewFolderTogetherAllTakeIt)
{
    // xscreensaver starts one hack per monitor at once: one's marker must not
    // look foreign to another that is still checking the folder is empty.
    const fs::path root = fs::temp_directory_path() / ("zembria-together-" + std::to_string(getpid()));
    for (int round = 0; round < 200; ++round) {
        fs::remove_all(root);
        fs::create_directories(root);
        std::atomic<int> waiting{4}, refused{0};
        std::vector<std::thread> hacks;
        for (int hack = 0; hack < 4; ++hack)
            hacks.emplace_back([&] {
                for (--waiting; waiting > 0;) std::this_thread::yield(); // all start at once
                std::string error;
                if (ClaimCacheFolder(root.string(), CacheFolderKind::Chosen, error) != 0) ++refused;
            });
        for (std::thread& hack : hacks)
            hack.join();
        ASSERT_EQ(refused, 0) << "round " << round;
    }
    fs::remove_all(root);
}
