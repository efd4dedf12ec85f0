#pragma once
// Whether the desktop session has a D-Bus session bus: its address in
// DBUS_SESSION_BUS_ADDRESS, or the bus of the user's runtime folder
// ($XDG_RUNTIME_DIR/bus), where libdbus and GIO look without one. Where
// neither is there, both libraries would start a bus of their own on X
// (dbus-launch), which outlives the program that asked.
bool SessionBusKnown();

// Tells libdbus and GIO in this process that there is no session bus, so
// they start none, unless the session has one. Before any thread starts:
// it sets the environment.
void KeepToTheSessionBus();
