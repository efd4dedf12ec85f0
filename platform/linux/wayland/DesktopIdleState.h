#pragma once
// What the sources of platform/linux/wayland share: each keeps its own state
// here, and DesktopIdle asks them in turn.

#include "platform/linux/wayland/DesktopIdle.h"


struct WaylandIdle;
struct MutterIdle;

struct DesktopIdleState {
    WaylandIdle* wayland = nullptr;
    MutterIdle* mutter = nullptr;
    const char* source = "";
};

// The compositor's idle protocol; nullptr where there is no Wayland display
// or it offers neither protocol. source names the protocol taken.
WaylandIdle* OpenWaylandIdle(uint32_t idleMs, const char*& source);
IdleNews WaitWaylandIdle(WaylandIdle& idle, int waitMs);
void CloseWaylandIdle(WaylandIdle* idle);

// GNOME's idle monitor on the session bus; nullptr where nobody answers there.
MutterIdle* OpenMutterIdle(uint32_t idleMs);
IdleNews WaitMutterIdle(MutterIdle& idle, int waitMs);
void CloseMutterIdle(MutterIdle* idle);
