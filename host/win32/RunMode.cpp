// RunMode on Win32: the platform family, then the mode the command tail asks
// for, with common controls for the dialogs.

#include "host/RunMode.h"

#include "host/SaverContext.h"
#include "host/win32/PlatformHostState.h"
#include "host/win32/WinHost.h"

#include <windows.h>
#include <commctrl.h>

namespace {

bool IsOlderFamily()
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
#pragma GCC diagnostic pop
}

// A fault that escapes the mode ends the process with -1, after telling the
// platform that no saver runs any more.
LONG WINAPI SaverFaultFilter(EXCEPTION_POINTERS*)
{
    if (IsOlderFamily()) SystemParametersInfoA(SPI_SCREENSAVERRUNNING, FALSE, nullptr, 0);
    ExitProcess(static_cast<UINT>(RunModeRefused));
}

// The standard classes too: the manifest asks for Common Controls 6, whose
// buttons, edits and lists give the dialogs the system's visual style. A
// message box finds them through the manifest alone, so the saver itself
// starts without the library.
void InitDialogControls()
{
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
}

int RunChoice(SaverContext& context, const ModeChoice& choice)
{
    switch (choice.mode) {
    case LaunchMode::Settings:
        InitDialogControls();
        return ShowSettingsDialog(context, choice.parent);
    case LaunchMode::FullScreen:
    case LaunchMode::Preview:
        return DoScreenSave(context, choice.parent);
    case LaunchMode::Password:
        InitDialogControls();
        ChangePassword(choice.parent);
        return 0;
    case LaunchMode::Invalid:
        break;
    }
    return RunModeRefused;
}

} // namespace

int RunMode(SaverContext& context, void* instance, const char* tail)
{
    context.platform->instance = instance;
    context.platform->olderFamily = IsOlderFamily();
    SetUnhandledExceptionFilter(SaverFaultFilter);
    try {
        return RunChoice(context, ChooseMode(tail, context.platform->olderFamily));
    } catch (...) {
        SaverFaultFilter(nullptr);
    }
    return RunModeRefused;
}
