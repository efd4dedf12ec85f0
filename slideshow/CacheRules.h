#pragma once
// Which files the picture cache keeps: JPEG files whose creation and last
// write both lie fewer than the configured number of whole days back.

#include <cstdint>
#include <string>

constexpr int64_t SecondsPerDay = 86400;

// Whole days from then to now, truncated toward zero (negative for the future).
int64_t AgeInDays(int64_t now, int64_t then);

// True while both ages are below cacheDays; rewriting a file never extends its
// life past cacheDays from its creation.
bool StaysInCache(int64_t now, int64_t created, int64_t written, int cacheDays);

// The cache holds "*.jpg" files; the extension is matched without regard to case.
bool IsCachedPictureName(const std::string& fileName);
