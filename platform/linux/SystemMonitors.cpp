#include "platform/linux/SystemMonitors.h"

#include <gio/gio.h>

SystemMonitors::~SystemMonitors()
{
    if (powerMonitor != nullptr) g_object_unref(powerMonitor);
}

void SystemMonitors::Open()
{
    if (opened) return;
    opened = true;
    // The network monitor is GIO's own for the process; the power monitor
    // watches its daemon only while someone holds it.
    g_network_monitor_get_default();
    powerMonitor = g_power_profile_monitor_dup_default();
}

void SystemMonitors::Poll()
{
    Open();
    // Only the default context: the saver runs no GLib loop of its own, and
    // GIO's proxies deliver there.
    for (int handled = 0; handled < 64 && g_main_context_iteration(nullptr, FALSE); ++handled) {
    }
}

bool SystemMonitors::Metered()
{
    Poll();
    return g_network_monitor_get_network_metered(g_network_monitor_get_default()) != FALSE;
}

bool SystemMonitors::PowerSaver()
{
    Poll();
    return powerMonitor != nullptr &&
           g_power_profile_monitor_get_power_saver_enabled(G_POWER_PROFILE_MONITOR(powerMonitor)) != FALSE;
}
