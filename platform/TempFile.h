#pragma once
// Temporary files beside the file they will replace (the options file, a
// downloaded picture). Two savers may run at once (the /l mode runs a whole
// start-up beside the real one), so each temporary file gets a name of its
// own and is created only if no file of that name exists.

#include <cstdio>
#include <string>

// Opens a new, empty file for writing named after target plus a part unique
// to this process and call, ending in ".tmp". 0 with the file and its path;
// 1 when none could be created.
int CreateTempFileFor(const std::string& target, std::string& tempPath, std::FILE*& file);

// Flushes the file's buffer and asks the system to write it to the disk, so
// that a rename never puts an unwritten file in place. 0 when both worked.
int FlushToDisk(std::FILE* file);

// Per platform: a file created exclusively for writing, never through a
// link and never over an existing file (nullptr when the name is taken or
// the file can't be made); on Linux readable by its owner only. And this
// process's id.
std::FILE* OpenNewFile(const std::string& path);
unsigned long CurrentProcessId();
