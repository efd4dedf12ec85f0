#pragma once
// The Linux saver's modes, read from the words left after the program's own
// options, and where its files lie (the XDG base directories).
//   full screen   -s, or no mode at all
//   xscreensaver  -window-id ID, $XSCREENSAVER_WINDOW, -root: draw into that window
//   settings      -c: the settings dialog
//   preview       -p, which has no Linux meaning

#include "host/ModeFlags.h"

#include <string>
#include <vector>

enum class LinuxMode { FullScreen, IntoWindow, IntoRoot, Settings, Preview, Invalid };

struct LinuxModeChoice {
    LinuxMode mode = LinuxMode::Invalid;
    unsigned long window = 0; // IntoWindow: the X window id
    std::string error;        // Invalid: what was wrong
};

// xscreensaverWindow is $XSCREENSAVER_WINDOW, nullptr when unset. An explicit
// -window-id wins over it, and it over -root.
LinuxModeChoice ChooseLinuxMode(const std::vector<std::string>& words, const char* xscreensaverWindow);

// The usual environment of the XDG rules, passed in so the rule is testable.
struct XdgEnvironment {
    const char* configHome = nullptr; // $XDG_CONFIG_HOME
    const char* cacheHome = nullptr;  // $XDG_CACHE_HOME
    const char* home = nullptr;       // $HOME
    std::string programDirectory;     // the folder of the running program
    std::string passwordHome;         // the user's home in the password database
};

// Options in $XDG_CONFIG_HOME/zembria, the cache in $XDG_CACHE_HOME/zembria/images
// (relative or unset values fall back to ~/.config and ~/.cache, where ~ is
// $HOME, or the password database's home when $HOME is unset or relative),
// the dictionaries beside the program when it runs from the build tree, else
// in the install prefix's share/zembria (the prefix holds the program's
// folder, or libexec/xscreensaver with it, where xscreensaver finds its hacks).
// A folder with no home to lie in is empty: the saver then keeps no options
// or no cache, rather than putting them where other users could reach them.
SaverFolders XdgFolders(const XdgEnvironment& environment);

// The current user's home folder in the password database; empty when none.
std::string PasswordDatabaseHome();

std::string LinuxUsageText();
