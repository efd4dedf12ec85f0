#pragma once
// What a name must be before the saver makes or opens a file of that name in
// one of its folders: the service chooses picture names, and both the
// download and the cache look-up take only such names.

#include <string>

// One plain file name: no separator, no drive or stream colon, no control
// character, not "." or "..", and no Windows device name (CON, NUL, COM1 ...
// with any extension).
bool IsPlainFileName(const std::string& name);
