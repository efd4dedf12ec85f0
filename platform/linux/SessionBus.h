#pragma once
// The saver needs no D-Bus session bus, but a library it uses may ask for
// one; where none runs, libdbus would start one (dbus-launch and a
// dbus-daemon, with the dbus-x11 package) that outlives the saver.

// Where no session bus is known (no DBUS_SESSION_BUS_ADDRESS, no user bus at
// $XDG_RUNTIME_DIR/bus), sets an address that can't start one. Call before
// any library asks, while the process has one thread.
void KeepSessionBusUnstarted();
