#pragma once
// Hacks that share a cache folder (xscreensaver starts one per monitor) hold
// one conversation with the service between them. The one holding the
// folder's lock leads: it logs in, asks, downloads and keeps the folder
// (expiry, bound, sweep), and writes each answer it acts on beside the
// pictures. The others follow that answer, never talk to the service and
// never delete; when the leader ends, the next one to take the lock leads.
// Where the folder has no locks, or the host gives none, each saver is alone.

#include "platform/FileLock.h"
#include "settings/KeyValueList.h"

#include <cstdint>
#include <string>

constexpr const char* CacheLockName = ".zembria-lock";
constexpr const char* CacheAnswerName = ".zembria-answer";

enum class ShareRole { Alone, Leader, Follower };

// What a follower needs to show what the leader shows.
struct SharedAnswer {
    KeyValueList info;    // the service's answer and the captions
    std::string picture;  // file name in the cache folder; empty: none yet
    int64_t advanced = 0; // when the leader's last step ended
    int32_t refreshSeconds = 10;
};

std::string FormatSharedAnswer(const SharedAnswer& answer);
// 0 when text is a whole answer; answer is untouched otherwise.
int ParseSharedAnswer(const std::string& text, SharedAnswer& answer);

class CacheShare {
public:
    using TryLock = FileLockResult (*)(const std::string& path, int& handle, std::string& reason);
    using Unlock = void (*)(int handle);

    CacheShare() = default;
    CacheShare(const CacheShare&) = delete;
    CacheShare& operator=(const CacheShare&) = delete;
    ~CacheShare() { Leave(); }

    // Given by a host whose savers may run side by side (Linux).
    void UseLock(TryLock lockFile, Unlock unlockFile);
    // Joins the hacks of folder (again: the role is kept) and gives the role.
    ShareRole Join(const std::string& cacheFolder);
    // A follower's try at each tick: true when it leads from now on.
    bool TryLead();
    void Leave();

    ShareRole Role() const { return role; }
    bool Following() const { return role == ShareRole::Follower; }
    bool Leading() const { return role == ShareRole::Leader; }
    const std::string& Folder() const { return folder; }

    // The leader's answer, replaced in one step. 0 when written.
    int Publish(const SharedAnswer& answer);
    // A follower's look: 0 with answer when it differs from the one read last.
    int ReadChanged(SharedAnswer& answer);

private:
    ShareRole TakeLock();

    TryLock tryLock = nullptr;
    Unlock unlock = nullptr;
    std::string folder;
    ShareRole role = ShareRole::Alone;
    int handle = -1;
    std::string lastRead;
    bool toldAlone = false;
};
