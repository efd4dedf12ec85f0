// Process entry of Zembria.scr: the program's own options are taken out of
// the command tail, the rest names the mode.

#include "host/RunMode.h"
#include "host/SaverContext.h"
#include "host/win32/BusyInputWatch.h"
#include "host/win32/FurtherScreens.h"
#include "host/win32/PlatformHostState.h"
#include "host/win32/WinHost.h"
#include "platform/win32/Direct3d.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // The one context of the process: the saver window carries it to its
    // window procedure, the settings dialog to its own.
    SaverContext saver;
    PlatformHostState windowsHost;
    saver.platform = &windowsHost;
    saver.trace.OpenFromEnvironment();
    saver.trace.Step("process entry");
    std::string rest, error;
    switch (ParseProgramOptions(SkipModuleName(GetCommandLineA()), saver.options, rest, error)) {
    case OptionsOutcome::Help:
        PlatformReport(UsageText(), "Zembria", false);
        return 0;
    case OptionsOutcome::Version:
        PlatformReport(VersionText(), "Zembria", false);
        return 0;
    case OptionsOutcome::Error:
        PlatformReport("Zembria.scr: " + error + "\r\n\r\n" + UsageText(), "Zembria", true);
        return ExitUsage;
    case OptionsOutcome::Run:
        break;
    }
    ApplyEnvironment(saver.options);
    ReadModeFlags(saver.mode, saver.options, GetCommandLineA(), PlatformModulePath());
    saver.watchWhileBusy = WatchInputWhileBusy;
    saver.openFurtherScreens = OpenFurtherScreens;
    saver.closeFurtherScreens = CloseFurtherScreens;
    PrepareDirect3d();
    const char* tail = rest.c_str();
    while (*tail != '\0' && static_cast<unsigned char>(*tail) <= ' ') ++tail;
    const int result = RunMode(saver, instance, tail);
    // A DirectX check left running loads libraries under the loader's lock,
    // and an orderly exit would wait for it; start-up had nothing to save yet.
    if (saver.host.deviceLeftToExit) TerminateProcess(GetCurrentProcess(), static_cast<UINT>(result));
    return result;
}
