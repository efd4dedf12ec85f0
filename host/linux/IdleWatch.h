#pragma once
// zembria --idle MINUTES: stays in the background of a desktop session and
// runs the full-screen saver (this program with -s) each time the desktop
// says its user has been idle that long; the saver ends on input as always,
// and the watch waits for the next idle time. Wayland desktops have no
// xscreensaver to start hacks: this is what does it there.

#include <cstdint>
#include <string>
#include <vector>

// Watches until SIGTERM or SIGINT (which also end a saver that runs) or
// until the desktop goes away. A display that isn't there yet is waited for
// (a minute at most). saverArgs are the saver's words after the program's
// name, without the idle option; -s is added. The exit code: 0 after a
// signal, 3 when the desktop offers no idle notification, 1 when it went
// away or its display never came (a restart may find it).
int RunIdleWatch(uint32_t idleSeconds, const std::vector<std::string>& saverArgs);
