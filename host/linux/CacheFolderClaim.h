#pragma once
// The picture cache deletes old pictures, so the saver keeps it only in a
// folder of its own: one it made, one that was empty when first used, or one
// that carries its marker file. A folder of the user's photos is refused
// before anything in it is read.

#include "host/linux/HackOptions.h"

#include <string>

// The file that marks a folder as the saver's picture cache.
constexpr const char* CacheMarkerName = ".zembria-cache";

// The folder the run's overrides choose for the cache (the last one given),
// or empty when the run keeps the default.
std::string ChosenCacheFolder(const OptionOverrides& overrides);

// Whose choice the cache folder is: the saver's default, the one in
// --home DIR (or ZEMBRIA_HOME), or one given with --cache.
enum class CacheFolderKind { Default, Home, Chosen };

// Takes folder as the picture cache, making it (0700) and marking it when
// missing. The one the saver made, and any in --home or chosen, must be a
// folder (not a link) owned by the user and not writable by group or others;
// a chosen one that was there must also be empty or marked. The default and
// the home's are marked as they are. 0 when the saver may use it; 1 with
// error saying why not (nothing in it touched).
int ClaimCacheFolder(const std::string& folder, CacheFolderKind kind, std::string& error);
