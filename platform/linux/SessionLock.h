#pragma once
// Whether the user's session is locked, so nobody sees the saver: logind's
// LockedHint for this process's session (or, for a program the user's
// service manager started, the user's display session), or GNOME's screen
// saver, whose shield covers every window while it is active. Both answer
// asynchronously, while GLib's default main context runs.

#include "platform/linux/BusProperty.h"

class SessionLock {
public:
    SessionLock();
    SessionLock(const SessionLock&) = delete;
    SessionLock& operator=(const SessionLock&) = delete;
    ~SessionLock();

    // Asks both; nothing waits.
    void Open();
    // Whether both first answers are in.
    bool Answered() const;
    bool Locked() const;

private:
    struct Callbacks;
    friend struct Callbacks;
    void AskScreenSaver();

    BusProperty lockedHint;
    bool screenSaverAnswered = false;
    bool screenSaverActive = false;
    void* screenSaver = nullptr; // GDBusProxy of org.gnome.ScreenSaver, one reference
    void* cancellable = nullptr; // GCancellable of its calls
};
