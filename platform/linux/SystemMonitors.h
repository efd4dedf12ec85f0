#pragma once
// GIO's answers to "is the connection metered?" (GNetworkMonitor, from
// NetworkManager) and "is the power-saver profile on?" (GPowerProfileMonitor,
// from power-profiles-daemon). Both come over the system bus and fill in only
// while GLib's main context runs, so Poll runs it at each frame tick.
// Without those services both answers are no.

class SystemMonitors {
public:
    SystemMonitors() = default;
    SystemMonitors(const SystemMonitors&) = delete;
    SystemMonitors& operator=(const SystemMonitors&) = delete;
    ~SystemMonitors();

    // Takes what the services said since the last call, without waiting.
    void Poll();
    bool Metered();
    bool PowerSaver();

private:
    void Open();

    bool opened = false;
    void* powerMonitor = nullptr; // GPowerProfileMonitor, one reference
};
