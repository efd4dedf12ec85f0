#include "host/linux/LinuxMode.h"

#include "host/linux/HackOptions.h"
#include "host/linux/IdleOption.h"
#include "platform/Paths.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include <pwd.h>
#include <unistd.h>

namespace {

// An X window id as xscreensaver writes it: decimal or 0x hexadecimal.
bool ParseWindowId(const std::string& text, unsigned long& id)
{
    if (text.empty() || text[0] == '-') return false;
    errno = 0;
    char* end = nullptr;
    id = std::strtoul(text.c_str(), &end, 0);
    return errno == 0 && end != nullptr && *end == '\0' && id != 0;
}

bool IsWord(const std::string& word, const char* name)
{
    return word == std::string("-") + name || word == std::string("/") + name;
}

bool IsAbsolute(const char* path)
{
    return path != nullptr && path[0] == '/';
}

// An XDG base directory: the variable when it holds an absolute path, else
// ~/fallback; empty without a home.
std::string BaseDirectory(const char* value, const std::string& home, const char* fallback)
{
    if (IsAbsolute(value)) return value;
    return home.empty() ? std::string() : JoinPath(home, fallback);
}

std::string FolderIn(const std::string& base, const char* name)
{
    return base.empty() ? std::string() : JoinPath(base, name);
}

} // namespace

LinuxModeChoice ChooseLinuxMode(const std::vector<std::string>& words, const char* xscreensaverWindow)
{
    LinuxModeChoice choice{LinuxMode::FullScreen, 0, {}};
    bool root = false;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (IsWord(word, "s") || IsWord(word, "S")) continue;
        if (word == "-root") root = true;
        else if (word == "-window-id") {
            if (i + 1 >= words.size() || !ParseWindowId(words[i + 1], choice.window))
                return {LinuxMode::Invalid, 0, "-window-id wants an X window id"};
            ++i;
        } else if (IsWord(word, "c") || IsWord(word, "C")) return {LinuxMode::Settings, 0, {}};
        else if (IsWord(word, "p") || IsWord(word, "P")) return {LinuxMode::Preview, 0, {}};
        else return {LinuxMode::Invalid, 0, "unknown mode " + word};
    }
    if (choice.window == 0 && xscreensaverWindow != nullptr && xscreensaverWindow[0] != '\0' &&
        !ParseWindowId(xscreensaverWindow, choice.window))
        return {LinuxMode::Invalid, 0, "XSCREENSAVER_WINDOW holds no X window id"};
    if (choice.window != 0) choice.mode = LinuxMode::IntoWindow;
    else if (root) choice.mode = LinuxMode::IntoRoot;
    return choice;
}

SaverFolders XdgFolders(const XdgEnvironment& environment)
{
    // Without $HOME (a service, a bare env) the password database knows the
    // home; never a shared folder such as /tmp, where others plant files.
    std::string home;
    if (IsAbsolute(environment.home)) home = environment.home;
    else if (IsAbsolute(environment.passwordHome.c_str())) home = environment.passwordHome;
    SaverFolders folders;
    folders.options = FolderIn(BaseDirectory(environment.configHome, home, ".config"), "zembria");
    folders.cache = FolderIn(FolderIn(BaseDirectory(environment.cacheHome, home, ".cache"), "zembria"), "images");
    std::error_code error;
    const std::filesystem::path program(environment.programDirectory);
    if (std::filesystem::exists(program / "dictionary.1", error))
        folders.dictionaries = environment.programDirectory;
    else {
        std::filesystem::path prefix = program.parent_path();
        if (program.filename() == "xscreensaver" && prefix.filename() == "libexec") prefix = prefix.parent_path();
        folders.dictionaries = (prefix / "share" / "zembria").string();
    }
    return folders;
}

std::string PasswordDatabaseHome()
{
    const long suggested = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<size_t>(suggested) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    int error = 0;
    while ((error = getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found)) == ERANGE &&
           buffer.size() < (size_t{1} << 20))
        buffer.resize(buffer.size() * 2);
    if (error != 0 || found == nullptr || found->pw_dir == nullptr) return {};
    return found->pw_dir;
}

std::string LinuxUsageText()
{
    return "Usage: zembria [options] [-s | -root | -window-id ID | -c]\n"
           "\n"
           "Modes:\n"
           "  -s              full screen (also without any mode)\n"
           "  -root           draw into the root window (xscreensaver)\n"
           "  -window-id ID   draw into X window ID (also $XSCREENSAVER_WINDOW)\n"
           "  -c              the settings dialog\n"
           "\n"
           "Options:\n"
           "  --home DIR          options, dictionaries and pictures in DIR (env ZEMBRIA_HOME);\n"
           "                      otherwise ~/.config/zembria and ~/.cache/zembria/images\n"
           "  --service [https://]HOST[:PORT]\n"
           "                      picture service, https:// for TLS (env ZEMBRIA_SERVICE)\n"
           "  --run-for SECONDS   close by itself after SECONDS\n"
           "  --window WxH        a window of W x H pixels instead of the full screen\n"
           "  --snapshot FILE.png write the last frame to FILE.png when closing\n"
           "  --help, --version   this text, or the version\n"
           "\n" +
           HackUsageText() + "\n" + IdleUsageText() +
           "\n"
           "SIGTERM or SIGINT end the saver. A malformed command line exits with 2.\n";
}
