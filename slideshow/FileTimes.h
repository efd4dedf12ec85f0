#pragma once
// Creation and last-write time of a file, in seconds since 1970-01-01 UTC.
// Where the file system keeps no creation time, the last-write time stands in.

#include <cstdint>
#include <filesystem>

// 0 on success, 1 when the file's times can't be read.
int ReadFileTimes(const std::filesystem::path& path, int64_t& created, int64_t& written);
