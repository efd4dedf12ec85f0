#pragma once
// CacheDays, how many whole days a picture stays in the cache: a whole
// number from 0 up. Anything else must never read as 0, which would empty
// the cache at the next start.

#include "settings/KeyValueStore.h"

#include <string>

constexpr int DefaultCacheDays = 14;

// True when typed is such a number, with blanks around it allowed and within
// the int range; days then holds its digits.
bool ParseCacheDays(const std::string& typed, std::string& days);

// The option as the cache uses it: a value that isn't such a number, or none,
// counts as DefaultCacheDays; "0" keeps its meaning.
int CacheDaysOption(const KeyValueStore& options);
