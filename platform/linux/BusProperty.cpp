#include "platform/linux/BusProperty.h"

#include <gio/gio.h>

#include <cstring>

struct BusProperty::Callbacks {
    static void Made(GObject*, GAsyncResult* result, gpointer data)
    {
        GError* error = nullptr;
        GDBusProxy* made = g_dbus_proxy_new_for_bus_finish(result, &error);
        // Cancelled: the property is gone, data with it.
        if (g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED)) {
            g_error_free(error);
            return;
        }
        g_clear_error(&error);
        auto* self = static_cast<BusProperty*>(data);
        self->proxy = made;
        self->answered = true;
    }
};

BusProperty::BusProperty(BusKind bus, const char* name, const char* path, const char* interface, const char* property)
    : bus(bus), name(name), path(path), interface(interface), property(property)
{
}

BusProperty::~BusProperty()
{
    if (cancellable != nullptr) {
        g_cancellable_cancel(G_CANCELLABLE(cancellable));
        g_object_unref(cancellable);
    }
    if (proxy != nullptr) g_object_unref(proxy);
}

void BusProperty::Open()
{
    if (cancellable != nullptr) return;
    cancellable = g_cancellable_new();
    // Never start a service just to ask it; a property that only says it
    // changed is fetched again.
    const auto flags =
        static_cast<GDBusProxyFlags>(G_DBUS_PROXY_FLAGS_DO_NOT_AUTO_START | G_DBUS_PROXY_FLAGS_GET_INVALIDATED_PROPERTIES |
                                     G_DBUS_PROXY_FLAGS_DO_NOT_CONNECT_SIGNALS);
    g_dbus_proxy_new_for_bus(bus == BusKind::System ? G_BUS_TYPE_SYSTEM : G_BUS_TYPE_SESSION, flags, nullptr,
                             name.c_str(), path.c_str(), interface.c_str(), G_CANCELLABLE(cancellable),
                             Callbacks::Made, this);
}

int64_t BusProperty::Number(int64_t fallback) const
{
    if (proxy == nullptr) return fallback;
    GVariant* value = g_dbus_proxy_get_cached_property(G_DBUS_PROXY(proxy), property.c_str());
    if (value == nullptr) return fallback;
    int64_t number = fallback;
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_BOOLEAN))
        number = g_variant_get_boolean(value) ? 1 : 0;
    else if (g_variant_is_of_type(value, G_VARIANT_TYPE_INT32))
        number = g_variant_get_int32(value);
    else if (g_variant_is_of_type(value, G_VARIANT_TYPE_UINT32))
        number = g_variant_get_uint32(value);
    g_variant_unref(value);
    return number;
}

bool BusProperty::Is(const char* text) const
{
    if (proxy == nullptr) return false;
    GVariant* value = g_dbus_proxy_get_cached_property(G_DBUS_PROXY(proxy), property.c_str());
    if (value == nullptr) return false;
    const bool same = g_variant_is_of_type(value, G_VARIANT_TYPE_STRING) &&
                      std::strcmp(g_variant_get_string(value, nullptr), text) == 0;
    g_variant_unref(value);
    return same;
}
