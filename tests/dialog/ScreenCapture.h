#pragma once
// A picture of a window as the screen shows it, saved as PNG.

#include <windows.h>

#include <string>

// 0 when the picture was written, 1 otherwise.
int CaptureWindow(HWND window, const std::string& pngPath);
