#pragma once
// Which files the picture cache keeps: JPEG files whose creation and last
// write both lie fewer than the configured number of whole days back, no more
// of them than fit in the size bound, and none of the saver's own temporary
// files once they are clearly abandoned.

#include <cstdint>
#include <string>
#include <vector>

constexpr int64_t SecondsPerDay = 86400;

// The most the cached pictures may take together.
constexpr uint64_t CacheLimitBytes = uint64_t{1} << 30;

// A temporary file untouched this long belongs to a download that died; a
// younger one may still be written by another saver.
constexpr int64_t StaleTemporarySeconds = 3600;

// The expiry runs again at least this often during a run.
constexpr int64_t CacheExpiryPeriodSeconds = 3600;

// Whole days from then to now, truncated toward zero (negative for the future).
int64_t AgeInDays(int64_t now, int64_t then);

// True while both ages are below cacheDays; rewriting a file never extends its
// life past cacheDays from its creation.
bool StaysInCache(int64_t now, int64_t created, int64_t written, int cacheDays);

// The cache holds "*.jpg" files; the extension is matched without regard to case.
bool IsCachedPictureName(const std::string& fileName);

// The answer that hacks sharing the cache folder write for each other.
constexpr const char* CacheAnswerName = ".zembria-answer";

// The saver's own temporary files in the cache: a picture name (or the
// probe's dummy.txt, or the shared answer's name), a dot, process id, "-", a
// counter, ".tmp".
bool IsOwnTemporaryName(const std::string& fileName);

// An own temporary file of the shared answer, which a leader killed before
// its rename leaves behind.
bool IsAnswerTemporaryName(const std::string& fileName);

// True when an own temporary file last written then is abandoned at now.
bool IsStaleTemporary(int64_t now, int64_t written);

// True when the expiry must run at this step: the next step, an interval
// away, would come an expiry period or more after the last expiry.
bool CacheExpiryDue(int64_t now, int64_t lastExpiry, int64_t intervalSeconds);

struct CachedPicture {
    std::string name;
    int64_t created = 0;
    int64_t written = 0;
    uint64_t size = 0;
};

// Positions (ascending) of the pictures to delete: those past cacheDays, then
// the least recently written (ties by name) until the rest fit in limitBytes.
// The picture named keepName is on screen and is never chosen.
std::vector<size_t> PicturesToDelete(const std::vector<CachedPicture>& pictures, int64_t now, int cacheDays,
                                     uint64_t limitBytes, const std::string& keepName);
