#pragma once
// A texture with its name and the size of the image it came from: the
// picture, the bar, the emblem and the panels behind text.

#include <cstdint>
#include <memory>
#include <string>

struct Rect {
    int left, top, right, bottom;
    bool operator==(const Rect&) const = default;
};

class PictureDecodes;
class RenderDevice;
class TextureRecord;

class TextureHandle {
public:
    // Textures are made on this device.
    explicit TextureHandle(RenderDevice& device);
    ~TextureHandle();
    TextureHandle(const TextureHandle&) = delete;
    TextureHandle& operator=(const TextureHandle&) = delete;

    // With decodes, a decode of the same file and size another device left
    // there is used, and this one's is left for the next.
    long LoadFile(const std::string& path, int width, int height, PictureDecodes* decodes = nullptr);
    long LoadResource(int resourceId, int width, int height);
    long LoadFilled(int width, int height);
    int Unload();
    bool IsLoaded() const { return loaded; }
    // What was loaded (a path, or the resource texture's name); empty when nothing is.
    std::string Name() const;
    // The texture of the last load, or nullptr when none was tried since the last unload.
    const TextureRecord* Record() const { return record.get(); }
    // Counts the loads and unloads, so a frame can tell a new picture from the
    // one it drew even when both have the same name.
    uint64_t Changes() const { return changes; }

private:
    TextureRecord& Attach();
    RenderDevice& device;
    std::unique_ptr<TextureRecord> record;
    bool loaded = false;
    uint64_t changes = 0;
};
