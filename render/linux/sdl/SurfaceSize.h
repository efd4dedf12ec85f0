#pragma once
// Whether a device's window has other pixels now than the device was made
// for: a Wayland compositor sizes a full-screen window when it configures it
// (often after the first frame), and an output's new scale changes its
// pixels. Such a device is made again for the window as it is.

class RenderDevice;

bool SurfaceSizeChanged(const RenderDevice& device);
