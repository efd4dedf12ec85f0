#include "render/PanelCache.h"

#include <algorithm>

PanelCache::~PanelCache()
{
    Clear();
}

const TextureHandle& PanelCache::Get(RenderDevice& device, int width, int height)
{
    ++useCount;
    for (Entry& entry : entries) {
        if (entry.width == width && entry.height == height) {
            entry.lastUse = useCount;
            return *entry.handle;
        }
    }
    if (entries.size() >= Capacity) {
        auto oldest = std::min_element(entries.begin(), entries.end(),
                                       [](const Entry& a, const Entry& b) { return a.lastUse < b.lastUse; });
        entries.erase(oldest);
    }
    auto handle = std::make_unique<TextureHandle>(device);
    handle->LoadFilled(width, height);
    entries.push_back(Entry{width, height, useCount, std::move(handle)});
    return *entries.back().handle;
}

void PanelCache::Clear()
{
    entries.clear();
}
