#include "platform/linux/SystemMonitors.h"

#include "platform/linux/SessionBus.h"

#include <gio/gio.h>

namespace {

// NetworkManager's NMMetered: yes, and its guess yes.
constexpr int64_t MeteredYes = 1;
constexpr int64_t MeteredGuessYes = 3;

gboolean Expired(gpointer expired)
{
    *static_cast<bool*>(expired) = true;
    return G_SOURCE_REMOVE;
}

} // namespace

SystemMonitors::SystemMonitors()
    : networkMetered(BusKind::System, "org.freedesktop.NetworkManager", "/org/freedesktop/NetworkManager",
                     "org.freedesktop.NetworkManager", "Metered"),
      powerProfile(BusKind::System, "net.hadess.PowerProfiles", "/net/hadess/PowerProfiles", "net.hadess.PowerProfiles",
                   "ActiveProfile"),
      displayPowerSave(BusKind::Session, "org.gnome.Mutter.DisplayConfig", "/org/gnome/Mutter/DisplayConfig",
                       "org.gnome.Mutter.DisplayConfig", "PowerSaveMode")
{
}

bool SystemMonitors::Answered() const
{
    return networkMetered.Answered() && powerProfile.Answered() &&
           (displayPowerSave.Answered() || !SessionBusKnown()) && lock.Answered();
}

void SystemMonitors::Poll()
{
    if (!opened) {
        opened = true;
        networkMetered.Open();
        powerProfile.Open();
        // Without a session bus GIO would start one of its own.
        if (SessionBusKnown()) displayPowerSave.Open();
        lock.Open();
        bool expired = false;
        const guint timeout = g_timeout_add(FirstAnswersBoundMs, Expired, &expired);
        while (!expired && !Answered()) g_main_context_iteration(nullptr, TRUE);
        if (!expired) g_source_remove(timeout);
    }
    // Only the default context: the saver runs no GLib loop of its own, and
    // the proxies deliver there.
    for (int handled = 0; handled < 64 && g_main_context_iteration(nullptr, FALSE); ++handled) {
    }
}

bool SystemMonitors::Metered()
{
    Poll();
    const int64_t metered = networkMetered.Number(0);
    return metered == MeteredYes || metered == MeteredGuessYes;
}

bool SystemMonitors::PowerSaver()
{
    Poll();
    return powerProfile.Is("power-saver");
}

bool SystemMonitors::DisplaysAsleep()
{
    Poll();
    // 0 on, 1 standby, 2 suspend, 3 off; -1 unknown.
    return displayPowerSave.Number(0) > 0;
}

bool SystemMonitors::SessionLocked()
{
    Poll();
    return lock.Locked();
}
