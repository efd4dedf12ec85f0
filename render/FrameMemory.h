#pragma once
// What the back buffer holds: the values of the last frame drawn and where
// its elements lie. The frame composition compares the next frame's values
// with these and redraws only what changed.

#include "render/FrameContent.h"

#include <cstdint>
#include <vector>

// Which loads of the three textures a frame showed: a new load is a new
// picture even under the same name.
struct TextureLoads {
    uint64_t picture = 0;
    uint64_t bar = 0;
    uint64_t emblem = 0;
    bool operator==(const TextureLoads&) const = default;
};

// Where the elements of a drawn frame lie, as drawn (empty: not drawn).
struct FrameLayout {
    Rect clockPanel{};
    std::vector<Rect> clocks;   // in the order of ClockItems
    std::vector<Rect> captions; // in the order of CaptionItems
    Rect countdown{};
    Rect table{};
};

struct FrameMemory {
    bool valid = false; // false: the next frame is drawn whole
    FrameContent content;
    TextureLoads loads;
    FrameLayout layout;
};
