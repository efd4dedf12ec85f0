#pragma once
// A texture with its name and the size of the image it came from: the
// picture, the bar, the emblem and the panels behind text.

#include <string>

struct Rect { int left, top, right, bottom; };

class TextureRecord;

class TextureHandle {
public:
    TextureHandle() = default;
    ~TextureHandle();
    TextureHandle(const TextureHandle&) = delete;
    TextureHandle& operator=(const TextureHandle&) = delete;

    long LoadFile(const std::string& path, int width, int height);
    long LoadResource(int resourceId, int width, int height);
    long LoadFilled(int width, int height);
    int Unload();
    bool IsLoaded() const { return loaded; }
    std::string Name() const;
    int Draw(const Rect& rect, unsigned colour) const;

    bool loaded = false;
    TextureRecord* record = nullptr;

private:
    TextureRecord* Attach();
};
