#pragma once
// One property of a D-Bus service, held by a GIO proxy: its first value
// comes in asynchronously after Open, later ones as the service announces
// them (also its restart and its end), all while GLib's default main
// context runs. Without the service, or without the bus, there is no value.

#include <cstdint>
#include <string>

enum class BusKind { System, Session };

class BusProperty {
public:
    BusProperty(BusKind bus, const char* name, const char* path, const char* interface, const char* property);
    BusProperty(const BusProperty&) = delete;
    BusProperty& operator=(const BusProperty&) = delete;
    ~BusProperty();

    // Asks for the proxy; nothing waits.
    void Open();
    // Whether the service's first answer is in: its properties, or that it isn't there.
    bool Answered() const { return answered; }
    // The value as a number (a boolean is 0 or 1); fallback when there is none or it is no number.
    int64_t Number(int64_t fallback) const;
    // Whether the value is this text.
    bool Is(const char* text) const;

private:
    struct Callbacks;
    friend struct Callbacks;

    BusKind bus;
    std::string name, path, interface, property;
    bool answered = false;
    void* proxy = nullptr;       // GDBusProxy, one reference
    void* cancellable = nullptr; // GCancellable of the proxy's making
};
