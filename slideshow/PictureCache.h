#pragma once
// The picture cache on disk: made sure of at start-up, then kept within its
// days and its size bound while the saver runs. An empty directory means the
// saver has no cache folder (no home on Linux): nothing is made or listed.

#include <cstdint>
#include <string>
#include <vector>

// Start-up: creates the folder when it is missing or unusable (nothing to
// list then); otherwise deletes the saver's own abandoned temporary files
// (an empty probe file too) and the pictures past cacheDays or beyond
// limitBytes, and returns the full
// paths of the others in the order the folder gives them.
std::vector<std::string> PrepareCacheFolder(const std::string& directory, int cacheDays, int64_t now,
                                            uint64_t limitBytes);

// The picture PrepareCacheFolder would list first if it deleted none, found
// without changing the folder, so that it can decode while the device is
// made; empty when there is none.
std::string FirstCachedPicture(const std::string& directory);

// A hack that follows another on the same folder: the pictures there, with
// nothing deleted (the leading hack keeps the folder).
std::vector<std::string> ListCacheFolder(const std::string& directory);

// During a run: deletes the pictures past cacheDays or beyond limitBytes,
// never the one named keepName (on screen), and returns the names of those
// deleted.
std::vector<std::string> ExpireCacheFolder(const std::string& directory, int cacheDays, int64_t now,
                                           uint64_t limitBytes, const std::string& keepName);
