// GNOME's idle monitor (Mutter, on the session bus), by its watches: an
// idle watch fires each time the user has been idle for the time, and a
// user-active watch, asked for once it has, fires at the user's return
// (Mutter drops it then). Both come as WatchFired signals, so nothing is
// asked while the user works. The monitor's name is watched too: its
// owner leaving (the session ending) is news as well. Mutter drops our
// watches itself when we leave the bus.

#include "platform/linux/SessionBus.h"
#include "platform/linux/wayland/DesktopIdleState.h"

#include <gio/gio.h>

#include <deque>

namespace {

constexpr const char* MonitorName = "org.gnome.Mutter.IdleMonitor";
constexpr const char* MonitorPath = "/org/gnome/Mutter/IdleMonitor/Core";
constexpr const char* MonitorInterface = "org.gnome.Mutter.IdleMonitor";

} // namespace

struct MutterIdle {
    GDBusConnection* bus = nullptr;
    guint firedSubscription = 0;
    guint nameWatch = 0;
    uint32_t idleWatch = 0;
    uint32_t activeWatch = 0; // 0: none asked for, or not told yet
    bool gone = false;
    std::deque<IdleNews> news;
};

namespace {

void ActiveWatchMade(GObject* source, GAsyncResult* result, gpointer data)
{
    GError* error = nullptr;
    GVariant* answer = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, &error);
    if (!answer) {
        g_clear_error(&error);
        return;
    }
    g_variant_get(answer, "(u)", &static_cast<MutterIdle*>(data)->activeWatch);
    g_variant_unref(answer);
}

void WatchFired(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*, GVariant* values,
                gpointer data)
{
    auto* idle = static_cast<MutterIdle*>(data);
    if (!g_variant_is_of_type(values, G_VARIANT_TYPE("(u)"))) return;
    guint32 id = 0;
    g_variant_get(values, "(u)", &id);
    if (id == idle->idleWatch) {
        idle->news.push_back(IdleNews::Idle);
        // The reply comes before any firing of the new watch: both travel in order.
        g_dbus_connection_call(idle->bus, MonitorName, MonitorPath, MonitorInterface, "AddUserActiveWatch", nullptr,
                               G_VARIANT_TYPE("(u)"), G_DBUS_CALL_FLAGS_NO_AUTO_START, -1, nullptr, ActiveWatchMade,
                               idle);
    } else if (id != 0 && id == idle->activeWatch) {
        idle->activeWatch = 0;
        idle->news.push_back(IdleNews::Active);
    }
}

void MonitorVanished(GDBusConnection*, const gchar*, gpointer data)
{
    static_cast<MutterIdle*>(data)->gone = true;
}

gboolean Expired(gpointer expired)
{
    *static_cast<bool*>(expired) = true;
    return G_SOURCE_REMOVE;
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
    auto* idle = new MutterIdle;
    idle->bus = bus;
    // Listening before asking, so no firing is missed.
    idle->firedSubscription =
        g_dbus_connection_signal_subscribe(bus, nullptr, MonitorInterface, "WatchFired", MonitorPath, nullptr,
                                           G_DBUS_SIGNAL_FLAGS_NONE, WatchFired, idle, nullptr);
    GVariant* answer = g_dbus_connection_call_sync(bus, MonitorName, MonitorPath, MonitorInterface, "AddIdleWatch",
                                                   g_variant_new("(t)", static_cast<guint64>(idleMs)),
                                                   G_VARIANT_TYPE("(u)"), G_DBUS_CALL_FLAGS_NO_AUTO_START, 5000,
                                                   nullptr, &error);
    if (!answer) {
        g_clear_error(&error);
        CloseMutterIdle(idle);
        return nullptr;
    }
    g_variant_get(answer, "(u)", &idle->idleWatch);
    g_variant_unref(answer);
    idle->nameWatch = g_bus_watch_name_on_connection(bus, MonitorName, G_BUS_NAME_WATCHER_FLAGS_NONE, nullptr,
                                                     MonitorVanished, idle, nullptr);
    return idle;
}

IdleNews WaitMutterIdle(MutterIdle& idle, int waitMs)
{
    bool expired = false;
    const guint timeout = idle.news.empty() && !idle.gone ? g_timeout_add(waitMs, Expired, &expired) : 0;
    // A signal ends the wait with the poll it interrupts.
    while (idle.news.empty() && !idle.gone && !expired)
        if (!g_main_context_iteration(nullptr, TRUE)) break;
    if (timeout != 0 && !expired) g_source_remove(timeout);
    if (!idle.news.empty()) {
        const IdleNews news = idle.news.front();
        idle.news.pop_front();
        return news;
    }
    return idle.gone ? IdleNews::Lost : IdleNews::None;
}

void CloseMutterIdle(MutterIdle* idle)
{
    if (!idle) return;
    if (idle->nameWatch) g_bus_unwatch_name(idle->nameWatch);
    g_dbus_connection_signal_unsubscribe(idle->bus, idle->firedSubscription);
    g_object_unref(idle->bus);
    delete idle;
}
