#pragma once
// The module's bitmaps (bar, emblem, banner) built into the program from
// resources/artwork, by resource id, as the Windows module carries them.

#include <cstddef>

struct ArtworkFile {
    int resourceId;
    const unsigned char* bytes;
    size_t size;
};

extern const ArtworkFile ArtworkFiles[];
extern const size_t ArtworkFileCount;
