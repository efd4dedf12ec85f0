// The saver's Direct3D libraries come from the system folder, never from a
// folder searched before it where someone planted a library of that name.

#include "platform/win32/D3dxLibrary.h"
#include "platform/win32/Direct3d.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>

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
    for (const char* name : {"d3d9.dll", "d3dx9_43.dll"})
        fs::copy_file("Z:" PLANTED_LIBRARY, folder / name);
    // Searched before the system folder, as the program's own folder is.
    ASSERT_TRUE(SetDllDirectoryA(folder.string().c_str()));

    EXPECT_NE(D3dx(), nullptr);
    IDirect3D9* direct3d = CreateDirect3d9();
    EXPECT_NE(direct3d, nullptr);
    if (direct3d != nullptr)
        direct3d->Release();

    char system[MAX_PATH] = {};
    ASSERT_GT(GetSystemDirectoryA(system, MAX_PATH), 0u);
    for (const char* name : {"d3d9.dll", "d3dx9_43.dll"})
        EXPECT_EQ(LoadedFrom(name), Lower(std::string(system) + "\\" + name));

    SetDllDirectoryA(nullptr);
    std::error_code ignored; // a planted library wrongly loaded stays in use
    fs::remove_all(folder, ignored);
}
