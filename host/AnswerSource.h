#pragma once
// Where the next answer comes from, decided in one place: the service (this
// saver's own conversation), the leader's shared answer (a hack following
// another on the same cache folder), or nobody: offline, or thrifty (the
// cached pictures in turn). The controller asks once per step and once per
// frame tick, and never decides it again on its own.
//
// Thrift: while every monitor is off nothing is drawn or asked; on a
// metered connection or in energy saver no picture is downloaded while the
// cache has one (the option MeteredDownloads "yes" downloads anyway), and in
// energy saver frames come no faster than the clocks change.

#include "host/CacheShare.h"
#include "platform/Platform.h"
#include "settings/KeyValueStore.h"

#include <cstdint>
#include <string>
#include <vector>

enum class AnswerFrom { Service, Shared, None };

// What one frame tick does.
struct FrameTurn {
    bool draw = true;     // false: every monitor is off, nothing to draw or ask
    bool whole = false;   // a monitor came back: the whole frame, not only what changed
    bool stepNow = false; // a step fell due while nobody looked: take it now
    AnswerFrom from = AnswerFrom::Service;
};

constexpr uint32_t SparingFramePeriodMs = 1000; // the countdown's and clocks' pace

class AnswerSource {
public:
    AnswerSource(const CacheShare& share, const KeyValueStore& options, const std::vector<std::string>& pictures)
        : share(share), options(options), pictures(pictures)
    {
    }

    // The step about to run: who answers it.
    AnswerFrom ForStep() const;
    // A frame tick, with the power state just read. Remembers a pause, so the
    // tick after a monitor comes back draws whole and takes a held step.
    FrameTurn ForFrame();
    // A slide tick: true when the step waits, since nobody looks.
    bool HoldStep();
    // Whether this saver keeps the cache folder (expiry, bound); a follower only reads it.
    bool KeepsTheCache() const { return !share.Following(); }
    // Whether a metered connection or energy saver keeps the service away;
    // with an empty cache one download is still allowed.
    bool Sparing() const;
    // The option offline: the service is never asked.
    bool Offline() const;
    uint32_t FramePeriodMs(uint32_t usual) const { return power.energySaver ? SparingFramePeriodMs : usual; }

    PowerState power;     // read at each frame tick, or told by the window's events
    bool metered = false; // read before each step

private:
    const CacheShare& share;
    const KeyValueStore& options;
    const std::vector<std::string>& pictures;
    bool paused = false;
    bool stepHeld = false;
};
