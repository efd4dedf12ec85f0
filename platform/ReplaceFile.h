#pragma once
// Moves a finished file over its target in one step, replacing what was
// there: the options file after a save, a picture after its download.
// Per platform (MoveFileExA on Windows, rename elsewhere).

#include <string>

// 0 when source now stands at target; 1 otherwise, with target untouched.
int ReplaceFileWith(const std::string& source, const std::string& target);
