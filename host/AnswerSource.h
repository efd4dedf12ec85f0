#pragma once
// Where the next answer comes from, decided in one place: the service (this
// saver's own conversation), the leader's shared answer (a hack following
// another on the same cache folder), or nobody (offline: the cached pictures
// in turn). The controller asks once per step and once per frame tick, and
// never decides it again on its own.

#include "host/CacheShare.h"
#include "settings/KeyValueStore.h"

enum class AnswerFrom { Service, Shared, None };

class AnswerSource {
public:
    AnswerSource(const CacheShare& share, const KeyValueStore& options) : share(share), options(options) {}

    // The step about to run: who answers it.
    AnswerFrom ForStep() const;
    // The frame about to be drawn: a follower looks at the leader's answer first.
    AnswerFrom ForFrame() const;
    // Whether this saver keeps the cache folder (expiry, bound); a follower only reads it.
    bool KeepsTheCache() const { return !share.Following(); }

private:
    bool Offline() const;

    const CacheShare& share;
    const KeyValueStore& options;
};
