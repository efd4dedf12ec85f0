#pragma once
// A full-screen Direct3D 9 device on a popup window covering the display,
// made once per test program, with back-buffer and front-buffer read-back.

#include "host/Screens.h"
#include "render/RenderDevice.h"
#include "render/win32/RenderDeviceState.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;
    uint32_t At(int x, int y) const { return argb[static_cast<size_t>(y) * width + x]; }
};

inline int Red(uint32_t c) { return c >> 16 & 0xFF; }
inline int Green(uint32_t c) { return c >> 8 & 0xFF; }
inline int Blue(uint32_t c) { return c & 0xFF; }

// The test program's device, opened on the test window: the first of its screens.
extern Screens testScreens;
extern RenderDevice& testDevice;

// Opens the saver-like window and the device; returns false when either fails.
bool OpenDevice(int windowedWidth = 0, int windowedHeight = 0);
void CloseDevice();

Pixels ReadBackBuffer();
// The frame the last Present showed: the kept copy, or the back buffer, which
// wine leaves holding the presented frame.
Pixels LastPresentedFrame();
// An image file as the saver decodes it (opaque black keyed: compare colours only).
Pixels ReadImageFile(const std::string& path);
void ClearBackBuffer(uint32_t colour);

// Writes a 24-bit bitmap whose pixels come from a function of x and y.
std::string WriteBitmap(const std::string& name, int width, int height, uint32_t (*pixel)(int x, int y));
// The same as a JPEG, written by WIC's encoder; empty when it couldn't be written.
std::string WriteJpeg(const std::string& name, int width, int height, uint32_t (*pixel)(int x, int y));
