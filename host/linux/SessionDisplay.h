#pragma once
// Whether the desktop session's display is there to be asked: a user unit
// may start before the compositor has made its socket, or before the
// session's environment reached the user manager.

#include <string>

// True when WAYLAND_SOCKET is given, when WAYLAND_DISPLAY names a socket
// that exists, or, without WAYLAND_DISPLAY, when an X11 DISPLAY is set (GNOME
// on X11 still has its idle monitor). Otherwise false, with what is missing.
bool SessionDisplayThere(std::string& missing);
