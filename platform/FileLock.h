#pragma once
// An exclusive lock on a file that ends with the process that holds it: how
// the Linux saver's hacks, one per monitor, choose which of them talks to the
// service. Linux only (flock); the Windows saver is one process.

#include <string>

enum class FileLockResult {
    Held,        // this holder has the lock now
    Busy,        // another holder has it
    Unsupported, // the file system has no locks, or the file can't be made
};

// Tries once, never waits. Held gives the open file in handle; it stays
// locked until PlatformUnlockFile or the process ends. Unsupported says why in reason.
FileLockResult PlatformTryLockFile(const std::string& path, int& handle, std::string& reason);
void PlatformUnlockFile(int handle);
