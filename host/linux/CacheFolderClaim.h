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

// Takes folder as the picture cache: the default folder (chosen false) is the
// saver's own and is only marked; a chosen one is made (0700) and marked when
// missing; an existing one must be owned by the user and not writable by
// group or others, and is then marked when empty and taken as it is when
// marked. 0 when the saver may use it; 1 with error saying why not (nothing
// in it touched).
int ClaimCacheFolder(const std::string& folder, bool chosen, std::string& error);
