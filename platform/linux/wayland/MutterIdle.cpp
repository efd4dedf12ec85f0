// GNOME's idle monitor (Mutter, on the session bus): asked for the user's
// idle time at every wait, which tells both the idle time reached and the
// user's return without keeping a GLib main loop turning.

#include "platform/linux/SessionBus.h"
#include "platform/linux/wayland/DesktopIdleState.h"

#include <gio/gio.h>

#include <poll.h>

struct MutterIdle {
    GDBusConnection* bus = nullptr;
    uint32_t idleMs = 0;
    bool idle = false;
    int failedAsks = 0; // in a row
};

namespace {

// A busy session may miss an answer now and then; only a monitor that stays
// silent this many times in a row is gone.
constexpr int SilentAsksMeanGone = 10;

// The user's idle time in milliseconds; false when the monitor didn't answer.
bool IdleTime(GDBusConnection* bus, uint64_t& idleMs)
{
    GError* error = nullptr;
    GVariant* answer = g_dbus_connection_call_sync(
        bus, "org.gnome.Mutter.IdleMonitor", "/org/gnome/Mutter/IdleMonitor/Core", "org.gnome.Mutter.IdleMonitor",
        "GetIdletime", nullptr, G_VARIANT_TYPE("(t)"), G_DBUS_CALL_FLAGS_NO_AUTO_START, 5000, nullptr, &error);
    if (!answer) {
        g_clear_error(&error);
        return false;
    }
    guint64 value = 0;
    g_variant_get(answer, "(t)", &value);
    g_variant_unref(answer);
    idleMs = value;
    return true;
}

} // namespace

MutterIdle* OpenMutterIdle(uint32_t idleMs)
{
    // No session bus, no GNOME session: and GIO must not start a bus of its own.
    if (!SessionBusKnown()) return nullptr;
    GError* error = nullptr;
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (!bus) {
        g_clear_error(&error);
        return nullptr;
    }
    uint64_t now = 0;
    if (!IdleTime(bus, now)) {
        g_object_unref(bus);
        return nullptr;
    }
    return new MutterIdle{bus, idleMs, false, 0};
}

IdleNews WaitMutterIdle(MutterIdle& idle, int waitMs)
{
    poll(nullptr, 0, waitMs);
    uint64_t now = 0;
    if (!IdleTime(idle.bus, now)) return ++idle.failedAsks >= SilentAsksMeanGone ? IdleNews::Lost : IdleNews::None;
    idle.failedAsks = 0;
    const bool idleNow = now >= idle.idleMs;
    if (idleNow == idle.idle) return IdleNews::None;
    idle.idle = idleNow;
    return idleNow ? IdleNews::Idle : IdleNews::Active;
}

void CloseMutterIdle(MutterIdle* idle)
{
    if (!idle) return;
    g_object_unref(idle->bus);
    delete idle;
}
