// The delay-loaded system libraries (cmake/DelayImports.cmake) as mingw-w64's
// __delayLoadHelper2 loads them, through its two hooks. Each comes from the
// system folder only: the helper's own fallback, a searched LoadLibraryA,
// never runs. A library that is missing, or lacks the function called, would
// make the helper raise an exception that ends the saver without a word;
// instead WinInet fails every call, as with no connection (the cached
// pictures go on rotating), BCrypt fails as an MD5 that can't be made, and
// any other library tells the user which part of Windows is missing and
// ends the saver.

#include "platform/win32/SystemLibrary.h"

#include <windows.h>
#include <delayimp.h>

#include <string>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

// One stub stands for every function of a library: x64 has one calling
// convention, in which the caller owns its arguments, so any signature may
// land here and read the result register.
static_assert(sizeof(void*) == 8, "the stubs rely on the x64 calling convention");

// NULL or FALSE: WinInet's answer when it can't connect.
uintptr_t WINAPI WinInetUnavailable()
{
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
}

// An NTSTATUS failure (STATUS_DLL_NOT_FOUND): BCrypt's success is 0.
long WINAPI BCryptUnavailable()
{
    return static_cast<long>(0xC0000135u);
}

constexpr UINT MissingLibraryExit = 3;

// What stands for a library or function that isn't there.
FARPROC Unavailable(const DelayLoadInfo& info)
{
    if (lstrcmpiA(info.szDll, "wininet.dll") == 0) return reinterpret_cast<FARPROC>(WinInetUnavailable);
    if (lstrcmpiA(info.szDll, "bcrypt.dll") == 0) return reinterpret_cast<FARPROC>(BCryptUnavailable);
    std::string text = std::string("The screen saver can't run: Windows' ") + info.szDll;
    if (info.hmodCur != nullptr && info.dlp.fImportByName)
        text += std::string(" has no ") + info.dlp.szProcName + ".";
    else if (info.hmodCur != nullptr)
        text += " lacks a function the screen saver needs.";
    else
        text += " is missing.";
    // Topmost: the saver's windows may cover every monitor.
    MessageBoxA(nullptr, text.c_str(), "Zembria", MB_ICONERROR | MB_OK | MB_SYSTEMMODAL | MB_TOPMOST | MB_SETFOREGROUND);
    // Other threads may hold the loader's lock; an orderly exit would wait for them.
    TerminateProcess(GetCurrentProcess(), MissingLibraryExit);
    return nullptr;
}

// The module the helper keeps for the library, once loaded.
HMODULE LoadedModule(const DelayLoadInfo& info)
{
    return *reinterpret_cast<HMODULE*>(reinterpret_cast<char*>(&__ImageBase) + info.pidd->rvaHmod);
}

FARPROC WINAPI NoteDelayLoad(unsigned notification, PDelayLoadInfo info)
{
    switch (notification) {
    case dliStartProcessing:
        // A library not yet loaded is tried here, where a miss can still be
        // answered with a function: the helper would search for it next.
        if (LoadedModule(*info) != nullptr || LoadSystemLibrary(info->szDll) != nullptr) return nullptr;
        *info->ppfn = Unavailable(*info); // every later call goes straight there
        return *info->ppfn;
    case dliNotePreLoadLibrary:
        return reinterpret_cast<FARPROC>(LoadSystemLibrary(info->szDll));
    default:
        return nullptr;
    }
}

FARPROC WINAPI DelayLoadFailed(unsigned notification, PDelayLoadInfo info)
{
    // A library that loaded but lacks the function; a failed load was answered above.
    return notification == dliFailGetProc ? Unavailable(*info) : nullptr;
}

} // namespace

// mingw-w64's helper reads these; cmake/DelayImports.cmake makes every
// program that delay-loads link them.
extern "C" PfnDliHook __pfnDliNotifyHook2 = NoteDelayLoad;
extern "C" PfnDliHook __pfnDliFailureHook2 = DelayLoadFailed;
