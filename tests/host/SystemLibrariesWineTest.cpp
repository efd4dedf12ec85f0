// The saver's system libraries come from the system folder, never from a
// folder searched before it where someone planted a library of that name,
// also where the loader predates LOAD_LIBRARY_SEARCH_SYSTEM32.

#include "platform/win32/Direct3d.h"
#include "platform/win32/SystemLibrary.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string LoadedFrom(const char* name)
{
    char path[MAX_PATH] = {};
    HMODULE module = GetModuleHandleA(name);
    return module != nullptr && GetModuleFileNameA(module, path, MAX_PATH) > 0 ? Lower(path) : "(not loaded)";
}

} // namespace

TEST(SystemLibraries, PlantedCopiesAreNotLoaded)
{
    const fs::path folder = fs::temp_directory_path() / ("zembria-planted-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy_file("Z:" PLANTED_LIBRARY, folder / "d3d9.dll");
    // Searched before the system folder, as the program's own folder is.
    ASSERT_TRUE(SetDllDirectoryA(folder.string().c_str()));

    EXPECT_TRUE(Direct3d9Loads());
    IDirect3D9* direct3d = CreateDirect3d9();
    EXPECT_NE(direct3d, nullptr);
    if (direct3d != nullptr)
        direct3d->Release();

    char system[MAX_PATH] = {};
    ASSERT_GT(GetSystemDirectoryA(system, MAX_PATH), 0u);
    EXPECT_EQ(LoadedFrom("d3d9.dll"), Lower(std::string(system) + "\\d3d9.dll"));

    SetDllDirectoryA(nullptr);
    std::error_code ignored; // a planted library wrongly loaded stays in use
    fs::remove_all(folder, ignored);
}

namespace {

// A loader that answers the system-folder flag as Windows 7 without
// KB2533623 does (or refuses the library outright) and logs every call.
struct LoaderCall {
    std::string name;
    DWORD flags;
};
std::vector<LoaderCall> loaderCalls;
DWORD refusal = ERROR_INVALID_PARAMETER;

HMODULE WINAPI OldLoader(LPCSTR name, HANDLE file, DWORD flags)
{
    loaderCalls.push_back({name, flags});
    if ((flags & LOAD_LIBRARY_SEARCH_SYSTEM32) != 0 || refusal == ERROR_MOD_NOT_FOUND) {
        SetLastError(refusal);
        return nullptr;
    }
    return LoadLibraryExA(name, file, flags);
}

} // namespace

TEST(SystemLibraries, LoaderWithoutTheFlagLoadsByFullPath)
{
    char system[MAX_PATH] = {};
    ASSERT_GT(GetSystemDirectoryA(system, MAX_PATH), 0u);
    struct Case {
        DWORD refusal;
        std::vector<std::string> names; // asked of the loader, in order
        bool loads;
    };
    const Case cases[] = {
        {ERROR_INVALID_PARAMETER, {"version.dll", std::string(system) + "\\version.dll"}, true},
        {ERROR_MOD_NOT_FOUND, {"version.dll"}, false}, // missing: never searched for elsewhere
    };
    for (const Case& c : cases) {
        loaderCalls.clear();
        refusal = c.refusal;
        HMODULE module = LoadSystemLibrary("version.dll", OldLoader);
        EXPECT_EQ(module != nullptr, c.loads);
        ASSERT_EQ(loaderCalls.size(), c.names.size());
        for (size_t i = 0; i < c.names.size(); ++i) EXPECT_EQ(loaderCalls[i].name, c.names[i]);
        EXPECT_EQ(loaderCalls[0].flags, static_cast<DWORD>(LOAD_LIBRARY_SEARCH_SYSTEM32));
        if (c.names.size() > 1) {
            EXPECT_EQ(loaderCalls[1].flags, static_cast<DWORD>(LOAD_WITH_ALTERED_SEARCH_PATH));
        }
    }
}
