#pragma once
// What the desktop's services say about who looks and what costs, over
// D-Bus: NetworkManager whether the connection is metered,
// power-profiles-daemon whether the power-saver profile is on, Mutter
// whether it has put the monitors to sleep, and whether the session is
// locked (SessionLock). Their answers come in only while GLib's default
// main context runs, so Poll runs it at each frame tick. The first Poll asks
// them all and waits for their first answers, a bounded time in all, so the
// start-up's first step already knows. Without a service its answer is no.

#include "platform/linux/BusProperty.h"
#include "platform/linux/SessionLock.h"

#include <cstdint>

class SystemMonitors {
public:
    SystemMonitors();
    SystemMonitors(const SystemMonitors&) = delete;
    SystemMonitors& operator=(const SystemMonitors&) = delete;

    // Takes what the services said since the last call, without waiting
    // (but the first call).
    void Poll();
    bool Metered();
    bool PowerSaver();
    // Mutter's display power-save mode: its monitors are in standby, suspended or off.
    bool DisplaysAsleep();
    bool SessionLocked();

private:
    bool Answered() const;

    bool opened = false;
    BusProperty networkMetered;
    BusProperty powerProfile;
    BusProperty displayPowerSave;
    SessionLock lock;
};

// How long the first Poll waits in all for the services' first answers.
constexpr uint32_t FirstAnswersBoundMs = 200;
