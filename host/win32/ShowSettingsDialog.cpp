// The settings mode: the modal dialog from template 2003.

#include "host/win32/WinHost.h"

#include "host/SaverContext.h"
#include "host/win32/PlatformHostState.h"
#include "settings/win32/SettingsDialogProc.h"

#include <windows.h>

namespace {

constexpr int SettingsTemplateId = 2003;

// The dialog uses no window classes of its own, so there is nothing to register.
bool RegisterDialogClasses(HINSTANCE)
{
    return true;
}

} // namespace

int ShowSettingsDialog(SaverContext& context, WindowHandle parent)
{
    HINSTANCE instance = static_cast<HINSTANCE>(context.platform->instance);
    if (!RegisterDialogClasses(instance)) return FALSE;
    // The dialog reads and writes the files of the module directory.
    const SettingsDialogStart start{&context.settings, context.mode.ModuleDirectory.c_str()};
    return static_cast<int>(DialogBoxParamA(instance, MAKEINTRESOURCEA(SettingsTemplateId), static_cast<HWND>(parent),
                                            SettingsDialogProc, reinterpret_cast<LPARAM>(&start)));
}
