// Process entry of zembria, the Linux saver: the program's own options are
// taken out of the arguments, the rest names the mode; then the saver window
// runs on SDL until it closes, or the settings dialog on GTK.

#include "host/SaverContext.h"
#include "host/linux/CacheFolderClaim.h"
#include "host/linux/HackOptions.h"
#include "host/linux/IdleOption.h"
#include "host/linux/IdleWatch.h"
#include "host/linux/LinuxMode.h"
#include "host/linux/sdl/SaverLoop.h"
#include "platform/FileLock.h"
#include "platform/Folders.h"
#include "platform/OwnFile.h"
#include "platform/linux/sdl/SdlPlatform.h"
#include "settings/linux/gtk/GtkSettingsDialog.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace {

// SDL's side of the saver window; the signal watch may touch it until the
// process ends, and the cursor's hiding asks it whose window it is.
SdlPlatformState platform;

// The arguments as one command tail; a word with blanks is quoted, as the
// option parser expects. xscreensaver 6 hands a hack its mode words with two
// dashes (--root), which the option parser would refuse as unknown options.
std::string CommandTail(const std::vector<std::string>& args)
{
    std::string tail;
    for (std::string word : args) {
        if (word == "--root" || word == "--window-id") word.erase(0, 1);
        if (!tail.empty()) tail += ' ';
        tail += word.find_first_of(" \t") == std::string::npos ? word : '"' + word + '"';
    }
    return tail;
}

std::vector<std::string> Words(const std::string& text)
{
    std::istringstream stream(text);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

std::string ProgramDirectory(const char* argv0)
{
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) self = std::filesystem::absolute(argv0, error);
    return self.parent_path().string();
}

SaverWindowPlacement WindowFor(const LinuxModeChoice& choice, const ProgramOptions& options)
{
    SaverWindowPlacement placement;
    if (choice.mode == LinuxMode::IntoWindow || choice.mode == LinuxMode::IntoRoot) {
        placement.kind = SaverWindowKind::Foreign;
        placement.foreignWindow = choice.window; // 0: the root window
    } else if (options.windowWidth > 0) {
        placement.kind = SaverWindowKind::Windowed;
        placement.width = options.windowWidth;
        placement.height = options.windowHeight;
    }
    return placement;
}

// Standalone, the saver shows on every display: a full-screen device on a
// window of each display beyond the saver window's.
std::vector<FurtherScreen> OpenFurtherScreens(SaverContext&)
{
    std::vector<FurtherScreen> screens;
    for (const FurtherWindow& opened : PlatformOpenFurtherWindows(platform)) {
        FurtherScreen& screen = screens.emplace_back();
        screen.setup.window = opened.window;
        screen.setup.adapter = static_cast<unsigned>(opened.display);
        screen.width = opened.width;
        screen.height = opened.height;
    }
    return screens;
}

// The options folder may not exist yet; OK creates Zembria.ini in it.
int RunSettings(SaverContext& saver)
{
    const SaverFolders folders = CurrentFolders(saver.mode, saver.options);
    if (folders.options.empty()) {
        PlatformReport("zembria: no home folder to keep the settings in (HOME is unset and the password "
                       "database names none); use --home DIR\n",
                       "zembria", true);
        return 1;
    }
    CreateFolders(folders.options);
    if (StartGtk() != 0) return 1;
    RunSettingsWindow(CreateSettingsWindow(saver.settings, folders.options, folders.dictionaries));
    return 0;
}

int RunSaver(SaverContext& saver, const LinuxModeChoice& choice)
{
    // Before anything is read: the cache rules delete in this folder.
    const std::string chosen = ChosenCacheFolder(saver.options.overrides);
    const std::string cache = chosen.empty() ? CurrentFolders(saver.mode, saver.options).cache : chosen;
    std::string error;
    const CacheFolderKind kind = !chosen.empty()               ? CacheFolderKind::Chosen
                                 : !saver.options.home.empty() ? CacheFolderKind::Home
                                                               : CacheFolderKind::Default;
    if (ClaimCacheFolder(cache, kind, error) != 0) {
        PlatformReport("zembria: " + error + "\n", "zembria", true);
        return ExitUsage;
    }
    // Hacks on one cache folder (one per monitor) share one conversation.
    saver.app.share.UseLock(PlatformTryLockFile, PlatformUnlockFile, PlatformReadOwnFile);
    const SaverWindowPlacement placement = WindowFor(choice, saver.options);
    if (PlatformStart(platform, placement) != 0) return 1;
    saver.host.powerLineStatus = PlatformAcLineStatus();
    if (placement.kind == SaverWindowKind::FullScreen) {
        // No closing hook: the screens made again keep their windows, which a
        // compositor would otherwise place and size anew, showing the desktop
        // in between; PlatformStop ends them.
        saver.openFurtherScreens = OpenFurtherScreens;
    }
    int exitCode = 1;
    if (PlatformCreateSaverWindow(platform, placement) != nullptr)
        exitCode = RunSaverLoop(saver, platform);
    PlatformStop(platform);
    return exitCode;
}

} // namespace

// Platform answers that take no window and rest on what only the entry
// holds: whether the window is someone else's, and where the pointer went.
void PlatformHideCursor()
{
    HideCursorOver(platform);
}

bool PlatformCursorPos(PlatformPoint& position)
{
    CursorPosOver(platform, position);
    return true;
}

int main(int argc, char** argv)
{
    // The one context of the process, handed down to the mode that runs.
    SaverContext saver;
    saver.trace.OpenFromEnvironment();
    saver.trace.Step("process entry");
    std::string rest, error;
    std::vector<std::string> args(argv + 1, argv + argc);
    uint32_t idleSeconds = 0;
    if (TakeIdleOption(args, idleSeconds, error) != 0) {
        PlatformReport("zembria: " + error + "\n\n" + LinuxUsageText(), "zembria", true);
        return ExitUsage;
    }
    // The saver started on idle gets every other word as given.
    const std::vector<std::string> saverArgs = args;
    if (TakeHackOptions(args, saver.options, error) != 0) {
        PlatformReport("zembria: " + error + "\n\n" + LinuxUsageText(), "zembria", true);
        return ExitUsage;
    }
    switch (ParseProgramOptions(CommandTail(args), saver.options, rest, error)) {
    case OptionsOutcome::Help:
        PlatformReport(LinuxUsageText(), "zembria", false);
        return 0;
    case OptionsOutcome::Version:
        PlatformReport(VersionText(), "zembria", false);
        return 0;
    case OptionsOutcome::Error:
        PlatformReport("zembria: " + error + "\n\n" + LinuxUsageText(), "zembria", true);
        return ExitUsage;
    case OptionsOutcome::Run:
        break;
    }
    ApplyEnvironment(saver.options);

    const LinuxModeChoice choice = ChooseLinuxMode(Words(rest), std::getenv("XSCREENSAVER_WINDOW"));
    switch (choice.mode) {
    case LinuxMode::Invalid:
        PlatformReport("zembria: " + choice.error + "\n\n" + LinuxUsageText(), "zembria", true);
        return ExitUsage;
    case LinuxMode::Preview:
        PlatformReport("zembria: -p (the preview in the Windows display settings) has no meaning on Linux\n",
                       "zembria", true);
        return ExitUsage;
    default:
        break;
    }
    if (idleSeconds > 0) {
        if (choice.mode != LinuxMode::FullScreen) {
            PlatformReport("zembria: --idle runs the saver full screen; it takes no other mode\n\n" + LinuxUsageText(),
                           "zembria", true);
            return ExitUsage;
        }
        return RunIdleWatch(idleSeconds, saverArgs);
    }

    const std::string program = ProgramDirectory(argv[0]);
    saver.mode.separateFolders = XdgFolders({std::getenv("XDG_CONFIG_HOME"), std::getenv("XDG_CACHE_HOME"),
                                  std::getenv("HOME"), program, PasswordDatabaseHome()});
    // The saver's command line: the program and its mode words, its own options left out.
    ReadModeFlags(saver.mode, saver.options, std::string(argv[0]) + " " + rest, PlatformModulePath());
    if (choice.mode == LinuxMode::Settings) return RunSettings(saver);
    return RunSaver(saver, choice);
}
