// The process's one render device.

#include "render/RenderDevice.h"

RenderDevice renderDevice;
