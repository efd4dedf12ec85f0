#pragma once
// A fresh cache folder per test, removed afterwards, and files with chosen
// last-write times in it.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

class TempFolder {
public:
    TempFolder()
    {
        static int counter = 0;
        path = std::filesystem::temp_directory_path()
            / ("zembria-slideshow-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Text() const { return path.string(); }

    // Writes name with the given bytes; returns its path.
    std::filesystem::path Write(const std::string& name, const std::string& bytes = "x") const
    {
        const std::filesystem::path file = path / name;
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }

    // Writes name and sets its last-write time to unixSeconds.
    std::filesystem::path WriteAt(const std::string& name, int64_t unixSeconds) const
    {
        const std::filesystem::path file = Write(name);
        const auto when = std::chrono::system_clock::time_point(std::chrono::seconds(unixSeconds));
        std::filesystem::last_write_time(file, std::chrono::file_clock::from_sys(when));
        return file;
    }

    std::filesystem::path path;
};
