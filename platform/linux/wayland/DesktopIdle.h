#pragma once
// The desktop's own word that its user has been idle for a time, where a
// Wayland desktop gives it: ext-idle-notify-v1, else KDE's org_kde_kwin_idle
// (older wlroots compositors, KDE Plasma), else GNOME's idle monitor over
// D-Bus (Mutter gives Wayland clients neither protocol). The compositor
// counts the time, so a program that draws full screen without touching the
// input keeps nothing awake.

#include <cstdint>
#include <memory>
#include <string>

enum class IdleNews {
    None,   // nothing new yet
    Idle,   // the user has been idle for the time
    Active, // the user is back
    Lost    // the desktop went away: no more news will come
};

struct DesktopIdleState;

class DesktopIdle {
public:
    DesktopIdle();
    ~DesktopIdle();
    DesktopIdle(const DesktopIdle&) = delete;
    DesktopIdle& operator=(const DesktopIdle&) = delete;

    // Asks the first source the desktop offers to tell idle times of idleMs.
    // false when it offers none; error then says what was looked for.
    bool Open(uint32_t idleMs, std::string& error);
    // Which source answers, for the user: "ext-idle-notify-v1" and so on.
    const char* SourceName() const;
    // Waits up to waitMs for news (a signal may end the wait early).
    IdleNews Wait(int waitMs);

private:
    std::unique_ptr<DesktopIdleState> state;
};
