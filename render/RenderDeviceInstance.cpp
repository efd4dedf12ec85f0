// The process's one render device.

#include "render/RenderDevice.h"

RenderDevice renderDevice;

#ifdef ZEMBRIA_FULL_FRAMES
// The benchmarks' comparison build draws every frame whole.
[[maybe_unused]] static const bool everyFrameWhole = (renderDevice.changeDriven = false, true);
#endif
