#pragma once
// Files in a folder that other programs may reach (the hacks' shared cache
// folder) are untrusted input: a link, a FIFO, a device or someone else's
// file there is refused without waiting on it and without reading it.
// Linux only, like the lock the hacks share.

#include <cstddef>
#include <string>

enum class OwnFileRead {
    Read,    // text holds the whole file
    Absent,  // no file of that name
    Refused, // something else is there; reason says what
};

// Reads path whole when it is a regular file of this user's of at most limit
// bytes. Never follows a link in the last component, never blocks.
OwnFileRead PlatformReadOwnFile(const std::string& path, size_t limit, std::string& text, std::string& reason);

// Opens path for reading and writing, made (0600) when missing, when it is a
// regular file of this user's: its descriptor, or -1 with reason.
int PlatformOpenOwnFile(const std::string& path, std::string& reason);
