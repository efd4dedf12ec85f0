#pragma once
// The picture cache at start-up: the folder is made sure of, the pictures
// that have outlived their days are deleted, and the rest are listed.

#include <cstdint>
#include <string>
#include <vector>

// Creates the folder when it is missing or unusable (nothing to list then);
// otherwise deletes the *.jpg files older than cacheDays at now and returns
// the full paths of the others in the order the folder gives them.
std::vector<std::string> PrepareCacheFolder(const std::string& directory, int cacheDays, int64_t now);
