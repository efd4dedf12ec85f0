#pragma once
// Moves a finished file over its target in one step, replacing what was
// there: the options file after a save, a picture after its download.
// Per platform (MoveFileExA on Windows, rename elsewhere).

#include <cstdio>
#include <string>

// 0 when source now stands at target; 1 otherwise, with target untouched.
// On Linux the folder is flushed too, so the new name survives a crash.
int ReplaceFileWith(const std::string& source, const std::string& target);

// The file a save should replace: target itself, or on Linux, when target is
// a symbolic link, the file the link leads to, so that the link stays.
std::string SavedFileFor(const std::string& target);

// Gives a new file, about to replace target, the access it may have: on
// Linux owner read and write at most, and never more than an existing
// target allows. 1 when the existing target is read-only to its owner: the
// user protected it, and a save must not undo that (Windows refuses it too).
int MatchTargetAccess(std::FILE* file, const std::string& target);
