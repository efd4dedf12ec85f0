#pragma once
// Making the saver's folders: the options folder and the picture cache.

#include <string>

// Creates path and every missing folder above it. On Linux each folder made
// is private to its owner (0700): the options hold the member code, and no
// other user may plant files in the cache. Existing folders stay as they are.
// 0 when path is a folder afterwards, 1 otherwise.
int CreateFolders(const std::string& path);
