#pragma once
// Several monitors showing one picture: the decode a load on one device
// leaves for the next device that asks for the same file at the same size,
// so each size decodes once. It lives for one round of loads, so the pixels
// are not kept beside the textures made from them.

#include <memory>
#include <string>
#include <vector>

struct DecodedPicture; // the platform's decoded pixels, ready for a texture

class PictureDecodes {
public:
    // The decode kept for that file and size, or nullptr.
    std::shared_ptr<const DecodedPicture> Find(const std::string& path, int width, int height) const
    {
        for (const Entry& entry : entries)
            if (entry.path == path && entry.width == width && entry.height == height) return entry.picture;
        return nullptr;
    }
    void Keep(const std::string& path, int width, int height, std::shared_ptr<const DecodedPicture> picture)
    {
        entries.push_back(Entry{path, width, height, std::move(picture)});
    }

private:
    struct Entry {
        std::string path;
        int width;
        int height;
        std::shared_ptr<const DecodedPicture> picture;
    };
    std::vector<Entry> entries;
};
