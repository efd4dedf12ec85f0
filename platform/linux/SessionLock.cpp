#include "platform/linux/SessionLock.h"

#include "platform/linux/SessionBus.h"

#include <gio/gio.h>

#include <cstring>

struct SessionLock::Callbacks {
    static bool Cancelled(GError* error)
    {
        const bool cancelled = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
        g_clear_error(&error);
        return cancelled;
    }

    static void Made(GObject*, GAsyncResult* result, gpointer data)
    {
        GError* error = nullptr;
        GDBusProxy* made = g_dbus_proxy_new_for_bus_finish(result, &error);
        if (Cancelled(error)) return;
        auto* self = static_cast<SessionLock*>(data);
        self->screenSaver = made;
        if (made == nullptr) {
            self->screenSaverAnswered = true;
            return;
        }
        g_signal_connect(made, "g-signal", G_CALLBACK(Signal), self);
        g_signal_connect(made, "notify::g-name-owner", G_CALLBACK(OwnerChanged), self);
        self->AskScreenSaver();
    }

    static void Signal(GDBusProxy*, gchar*, gchar* signal, GVariant* values, gpointer data)
    {
        if (std::strcmp(signal, "ActiveChanged") != 0 || !g_variant_is_of_type(values, G_VARIANT_TYPE("(b)"))) return;
        gboolean active = FALSE;
        g_variant_get(values, "(b)", &active);
        static_cast<SessionLock*>(data)->screenSaverActive = active != FALSE;
    }

    static void OwnerChanged(GObject*, GParamSpec*, gpointer data)
    {
        static_cast<SessionLock*>(data)->AskScreenSaver();
    }

    static void Told(GObject* source, GAsyncResult* result, gpointer data)
    {
        GError* error = nullptr;
        GVariant* answer = g_dbus_proxy_call_finish(G_DBUS_PROXY(source), result, &error);
        if (answer == nullptr && Cancelled(error)) return;
        auto* self = static_cast<SessionLock*>(data);
        self->screenSaverAnswered = true;
        if (answer == nullptr) return;
        gboolean active = FALSE;
        if (g_variant_is_of_type(answer, G_VARIANT_TYPE("(b)"))) g_variant_get(answer, "(b)", &active);
        self->screenSaverActive = active != FALSE;
        g_variant_unref(answer);
    }
};

SessionLock::SessionLock()
    : lockedHint(BusKind::System, "org.freedesktop.login1", "/org/freedesktop/login1/session/auto",
                 "org.freedesktop.login1.Session", "LockedHint")
{
}

SessionLock::~SessionLock()
{
    if (cancellable != nullptr) {
        g_cancellable_cancel(G_CANCELLABLE(cancellable));
        g_object_unref(cancellable);
    }
    if (screenSaver != nullptr) {
        g_signal_handlers_disconnect_by_data(screenSaver, this);
        g_object_unref(screenSaver);
    }
}

void SessionLock::Open()
{
    if (cancellable != nullptr) return;
    lockedHint.Open();
    cancellable = g_cancellable_new();
    // Without a session bus there is no GNOME session, and GIO must start no bus of its own.
    if (!SessionBusKnown()) {
        screenSaverAnswered = true;
        return;
    }
    g_dbus_proxy_new_for_bus(G_BUS_TYPE_SESSION,
                             static_cast<GDBusProxyFlags>(G_DBUS_PROXY_FLAGS_DO_NOT_AUTO_START |
                                                          G_DBUS_PROXY_FLAGS_DO_NOT_LOAD_PROPERTIES),
                             nullptr, "org.gnome.ScreenSaver", "/org/gnome/ScreenSaver", "org.gnome.ScreenSaver",
                             G_CANCELLABLE(cancellable), Callbacks::Made, this);
}

// The screen saver tells its state only when it changes: ask it whenever it
// is (again) there; without it, nothing covers the screen.
void SessionLock::AskScreenSaver()
{
    gchar* owner = g_dbus_proxy_get_name_owner(G_DBUS_PROXY(screenSaver));
    if (owner == nullptr) {
        screenSaverActive = false;
        screenSaverAnswered = true;
        return;
    }
    g_free(owner);
    g_dbus_proxy_call(G_DBUS_PROXY(screenSaver), "GetActive", nullptr, G_DBUS_CALL_FLAGS_NO_AUTO_START, -1,
                      G_CANCELLABLE(cancellable), Callbacks::Told, this);
}

bool SessionLock::Answered() const
{
    return lockedHint.Answered() && screenSaverAnswered;
}

bool SessionLock::Locked() const
{
    return lockedHint.Number(0) != 0 || screenSaverActive;
}
