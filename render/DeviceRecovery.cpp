// A lost device, recovered the documented way: once Present reports it lost,
// nothing is drawn and each frame tick asks the device whether it can be
// reset; when it can, it is reset and the next frame draws everything again.

#include "render/DeviceRecovery.h"

#include "render/RenderDevice.h"

void RenderDevice::NotePresentResult(long result)
{
    if (result == DeviceResult::Lost || result == DeviceResult::NotReset)
        lost = true;
}

long RenderDevice::RecoverIfLost()
{
    if (!lost)
        return 0;
    long level = TestCooperativeLevel();
    if (level == DeviceResult::NotReset)
        level = ResetDevice(); // a failed reset is tried again on the next tick
    if (level != 0)
        return level; // still lost: this tick draws nothing
    lost = false;
    restored = true;
    return 0;
}
