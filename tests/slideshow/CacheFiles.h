#pragma once
// Cached pictures with chosen last-write times, in the tests' temporary folders.

#include "tests/settings/SettingsTestSupport.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>

// Writes name in folder and sets its last-write time to unixSeconds.
inline std::filesystem::path WriteAt(const TempFolder& folder, const std::string& name, int64_t unixSeconds)
{
    const std::filesystem::path file = folder.Write(name, "x");
    const auto when = std::chrono::system_clock::time_point(std::chrono::seconds(unixSeconds));
    std::filesystem::last_write_time(file, std::chrono::file_clock::from_sys(when));
    return file;
}
