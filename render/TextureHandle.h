#pragma once
// A texture with its name and the size of the image it came from: the
// picture, the bar, the emblem and the panels behind text.

#include <cstdint>
#include <string>

struct Rect {
    int left, top, right, bottom;
    bool operator==(const Rect&) const = default;
};

class RenderDevice;
class TextureRecord;

class TextureHandle {
public:
    // Textures are made on this device.
    explicit TextureHandle(RenderDevice& device) : device(device) {}
    ~TextureHandle();
    TextureHandle(const TextureHandle&) = delete;
    TextureHandle& operator=(const TextureHandle&) = delete;

    long LoadFile(const std::string& path, int width, int height);
    long LoadResource(int resourceId, int width, int height);
    long LoadFilled(int width, int height);
    int Unload();
    bool IsLoaded() const { return loaded; }
    std::string Name() const;

    bool loaded = false;
    TextureRecord* record = nullptr;
    // Counts the loads and unloads, so a frame can tell a new picture from the
    // one it drew even when both have the same name.
    uint64_t changes = 0;

private:
    TextureRecord* Attach();
    RenderDevice& device;
};
