// The first idle source the desktop offers answers for the rest of the run.

#include "platform/linux/wayland/DesktopIdleState.h"

DesktopIdle::DesktopIdle() : state(std::make_unique<DesktopIdleState>()) {}

DesktopIdle::~DesktopIdle()
{
    CloseWaylandIdle(state->wayland);
    CloseMutterIdle(state->mutter);
}

bool DesktopIdle::Open(uint32_t idleMs, std::string& error)
{
    state->wayland = OpenWaylandIdle(idleMs, state->source);
    if (state->wayland) return true;
    state->mutter = OpenMutterIdle(idleMs);
    if (state->mutter) {
        state->source = "GNOME's idle monitor";
        return true;
    }
    error = "the desktop offers no idle notification (neither the Wayland protocols ext-idle-notify-v1 "
            "and org_kde_kwin_idle nor GNOME's idle monitor on the session bus)";
    return false;
}

const char* DesktopIdle::SourceName() const
{
    return state->source;
}

IdleNews DesktopIdle::Wait(int waitMs)
{
    if (state->wayland) return WaitWaylandIdle(*state->wayland, waitMs);
    if (state->mutter) return WaitMutterIdle(*state->mutter, waitMs);
    return IdleNews::Lost;
}
