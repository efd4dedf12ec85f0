#pragma once
// What a name must be before the saver makes or opens a picture of that name
// in its cache: the service chooses picture names, and both the download and
// the cache look-up take only such names.

#include <string>

constexpr size_t MaxPictureNameLength = 100;

// 1 to 100 characters of letters, digits, ".", "_" and "-", starting with a
// letter or digit, ending in ".jpg" (any case), and no Windows device name
// (CON, NUL, COM1 ... with any extension). Nothing else can plant a file the
// shell acts on (desktop.ini, x.url), dodge the expiry of *.jpg or name a
// file Windows would trim ("x.jpg.", "x.jpg ").
bool IsPictureFileName(const std::string& name);

// Ends in ".jpg", in any case: what the cache keeps and expires.
bool EndsInJpg(const std::string& name);
