#pragma once
// Panel textures kept by size. A panel's texture depends only on its width
// and height, so a panel of a size already made reuses that texture instead
// of creating, filling and releasing one for every panel of every frame.

#include "render/TextureHandle.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class PanelCache {
public:
    PanelCache() = default;
    ~PanelCache();
    PanelCache(const PanelCache&) = delete;
    PanelCache& operator=(const PanelCache&) = delete;

    // The filled texture of that size, made on first use; the least recently
    // used one is dropped when the cache is full.
    const TextureHandle& Get(RenderDevice& device, int width, int height);
    // Releases every kept texture (before the device goes).
    void Clear();
    size_t Size() const { return entries.size(); }

    static constexpr size_t Capacity = 48;

private:
    struct Entry {
        int width;
        int height;
        uint64_t lastUse;
        std::unique_ptr<TextureHandle> handle;
    };
    std::vector<Entry> entries;
    uint64_t useCount = 0;
};
