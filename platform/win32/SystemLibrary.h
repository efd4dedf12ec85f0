#pragma once
// System libraries (d3d9.dll, the password providers, ...) come from the
// system folder only: the saver's own folder is the user's to write in, and a
// library of the same name planted there or in the current folder must not
// run as ours.

#include <windows.h>

using LoadLibraryExFunction = HMODULE(WINAPI*)(LPCSTR name, HANDLE file, DWORD flags);

// Loads the library from the system folder, with LOAD_LIBRARY_SEARCH_SYSTEM32
// or, where the loader refuses that flag (Windows 7 without KB2533623), by its
// full path in GetSystemDirectoryA. Never a searched load. nullptr when it
// can't be loaded. The loader is injectable for the tests.
HMODULE LoadSystemLibrary(const char* name, LoadLibraryExFunction load = LoadLibraryExA);
