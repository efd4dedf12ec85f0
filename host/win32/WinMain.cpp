// Process entry of Zembria.scr: the program's own options are taken out of
// the command tail, the rest names the mode.

#include "host/HostProtocol.h"
#include "host/ProgramOptions.h"
#include "host/RunMode.h"
#include "platform/win32/Direct3d.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    std::string rest, error;
    switch (ParseProgramOptions(SkipModuleName(GetCommandLineA()), programOptions, rest, error)) {
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
    ApplyEnvironment(programOptions);
    PrepareDirect3d();
    const char* tail = rest.c_str();
    while (*tail != '\0' && static_cast<unsigned char>(*tail) <= ' ') ++tail;
    const int result = RunMode(instance, tail);
    // A DirectX check left running loads libraries under the loader's lock,
    // and an orderly exit would wait for it; start-up had nothing to save yet.
    if (hostState.checkLeftRunning) TerminateProcess(GetCurrentProcess(), static_cast<UINT>(result));
    return result;
}
