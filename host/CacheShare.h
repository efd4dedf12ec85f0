#pragma once
// Hacks that share a cache folder (xscreensaver starts one per monitor) hold
// one conversation with the service between them. The one holding the
// folder's lock leads: it logs in, asks, downloads and keeps the folder
// (expiry, bound, sweep), and writes each answer it acts on beside the
// pictures. The others follow that answer, never talk to the service and
// never delete; when the leader ends, the next one to take the lock leads.
// Where the folder has no locks, or the host gives none, each saver is alone.

#include "platform/FileLock.h"
#include "platform/OwnFile.h"
#include "settings/KeyValueList.h"
#include "slideshow/CacheRules.h"

#include <cstdint>
#include <string>

constexpr const char* CacheLockName = ".zembria-lock";

// Anything may lie in the folder under the answer's name: a follower reads at
// most this much, and keeps of it no more than the service's own answer
// could give (its entries, values cut as the service's are, and the saver's
// captions and download path beside them).
constexpr size_t MaxAnswerBytes = size_t{1} << 20;
constexpr size_t MaxAnswerEntries = 1003;

enum class ShareRole { Alone, Leader, Follower };

// What a follower needs to show what the leader shows.
struct SharedAnswer {
    KeyValueList info;    // the service's answer and the captions
    std::string picture;  // file name in the cache folder; empty: none yet
    int64_t advanced = 0; // when the leader's last step ended
    int32_t refreshSeconds = 10;
};

std::string FormatSharedAnswer(const SharedAnswer& answer);
// 0 when text is a whole answer; answer is untouched otherwise. Keeps at most
// MaxAnswerEntries entries, keys and values cut at the service's value
// length, and a picture only when its name is one the service could give.
int ParseSharedAnswer(const std::string& text, SharedAnswer& answer);

class CacheShare {
public:
    using TryLock = FileLockResult (*)(const std::string& path, int& handle, std::string& reason);
    using Unlock = void (*)(int handle);
    using ReadOwn = OwnFileRead (*)(const std::string& path, size_t limit, std::string& text, std::string& reason);

    CacheShare() = default;
    CacheShare(const CacheShare&) = delete;
    CacheShare& operator=(const CacheShare&) = delete;
    ~CacheShare() { Leave(); }

    // Given by a host whose savers may run side by side (Linux); readFile
    // reads the answer as untrusted input.
    void UseLock(TryLock lockFile, Unlock unlockFile, ReadOwn readFile);
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
    // A follower's look: 0 with answer when it differs from the one read
    // last. What isn't a plain file of the user's, or is too large or no
    // answer, is no answer; the first such is told on stderr.
    int ReadChanged(SharedAnswer& answer);

private:
    ShareRole TakeLock();

    TryLock tryLock = nullptr;
    Unlock unlock = nullptr;
    ReadOwn readOwn = nullptr;
    std::string folder;
    ShareRole role = ShareRole::Alone;
    int handle = -1;
    std::string lastRead;
    bool toldAlone = false;
    bool toldRefused = false;
};
