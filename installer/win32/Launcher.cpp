// The Zembria.scr that a per-machine install puts in the system folder, where
// Windows lists every user's screen savers. It only starts the saver installed
// under Program Files with the same arguments and hands back its exit code:
// the saver's home stays its own folder (options, dictionaries, cache), never
// the system folder.

#include <windows.h>

#include <string>

namespace {

constexpr wchar_t UninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zembria";

// The folder the per-machine install went to, as its installer recorded it.
std::wstring InstallFolder()
{
    wchar_t folder[MAX_PATH] = {};
    DWORD size = sizeof folder - sizeof(wchar_t);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, UninstallKey, L"InstallLocation", RRF_RT_REG_SZ, nullptr, folder, &size) != ERROR_SUCCESS)
        return {};
    std::wstring path = folder;
    while (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
    return path;
}

std::wstring OwnFolder()
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\'));
}

// The command line after the program's name, byte for byte, by the rules
// CommandLineToArgvW applies to the name: "/p 1234", "/c:5678", "/s".
const wchar_t* Arguments()
{
    const wchar_t* line = GetCommandLineW();
    if (*line == L'"') {
        ++line;
        while (*line != L'\0' && *line != L'"') ++line;
        if (*line == L'"') ++line;
    } else {
        while (*line != L'\0' && *line != L' ' && *line != L'\t') ++line;
    }
    return line;
}

// No message over the display settings' little preview monitor.
bool IsPreview(const wchar_t* arguments)
{
    while (*arguments == L' ' || *arguments == L'\t') ++arguments;
    return (arguments[0] == L'/' || arguments[0] == L'-') && (arguments[1] == L'p' || arguments[1] == L'P');
}

int Refuse(const wchar_t* arguments, const wchar_t* why)
{
    if (!IsPreview(arguments)) MessageBoxW(nullptr, why, L"Zembria Screensaver", MB_OK | MB_ICONERROR);
    return 1;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    const wchar_t* arguments = Arguments();
    const std::wstring folder = InstallFolder();
    if (folder.empty())
        return Refuse(arguments, L"Zembria Screensaver isn't installed for this computer any more. Run its Setup again.");
    // A folder recorded as this one would start this launcher over and over.
    if (CompareStringOrdinal(folder.c_str(), -1, OwnFolder().c_str(), -1, TRUE) == CSTR_EQUAL)
        return Refuse(arguments, L"Zembria Screensaver's installation is damaged. Run its Setup again.");

    const std::wstring saver = folder + L"\\Zembria.scr";
    std::wstring line = L"\"" + saver + L"\"" + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(saver.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                        &startup, &process))
        return Refuse(arguments, L"Zembria Screensaver can't be started. Run its Setup again.");

    // Whoever ends this launcher (the display settings end an old preview so)
    // ends the saver with it.
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    if (job != nullptr) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (!SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits) ||
            !AssignProcessToJobObject(job, process.hProcess)) {
            CloseHandle(job);
            job = nullptr;
        }
    }
    // The saver's window comes to the front, as if the desktop had started it.
    AllowSetForegroundWindow(process.dwProcessId);
    ResumeThread(process.hThread);
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    if (job != nullptr) CloseHandle(job);
    return static_cast<int>(code);
}
