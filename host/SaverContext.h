#pragma once
// The saver's one state: made at the process entry and handed down to the
// contract, the window procedures and the modes. It owns the controller,
// the program options, the mode flags and folders, the host's state and the
// settings dialog.
// The monitors' windows and devices are the Screens.

#include "host/HostProtocol.h"
#include "host/ModeFlags.h"
#include "host/ProgramOptions.h"
#include "host/SaverApp.h"
#include "host/Screens.h"
#include "host/StartupTrace.h"
#include "settings/SettingsDialog.h"

#include <memory>
#include <vector>

struct PlatformHostState; // a platform's own part of the host, where it has one (host/win32)

struct SaverContext {
    SaverContext() = default;
    // The controller's input check points back at this context.
    SaverContext(const SaverContext&) = delete;
    SaverContext& operator=(const SaverContext&) = delete;

    // Whether the user (or --run-for) wants the saver closed: the one
    // question the start-up steps, the controller and the service's requests ask.
    bool InputPending() const { return SaverInputPending(host); }

    ProgramOptions options;
    ModeFlags mode;
    HostState host;
    PlatformHostState* platform = nullptr; // set by the Windows entry; none on Linux
    Screens screens; // made before the controller, gone after it
    SaverApp app{screens, [this] { return InputPending(); }};
    SettingsDialog settings;
    StartupTrace trace;
    // Where the platform sees input from another thread (Windows): watches
    // while start-up's thread is busy in steps that can't look for input,
    // for as long as the returned object lives. Unset where every step is
    // short (Linux) and in the tests.
    std::shared_ptr<void> (*watchWhileBusy)(SaverContext& context) = nullptr;
    // Where the saver shows on every monitor: opens a window on each monitor
    // beyond the saver window's and says where it is; closes them once their
    // devices are gone. Unset: the saver window's monitor only.
    std::vector<FurtherScreen> (*openFurtherScreens)(SaverContext& context) = nullptr;
    void (*closeFurtherScreens)(SaverContext& context, const std::vector<WindowHandle>& windows) = nullptr;
};
