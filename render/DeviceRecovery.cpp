// A lost device, recovered the documented way: every frame tick asks the
// device first; while it is lost (or Present said so) nothing is drawn, and
// once it can be reset it is, and that tick's frame is drawn whole.

#include "render/DeviceRecovery.h"

#include "render/RenderDevice.h"

void RenderDevice::NotePresentResult(long result)
{
    if (result == DeviceResult::Lost || result == DeviceResult::NotReset)
        lost = true;
}

long RenderDevice::RecoverIfLost()
{
    long level = TestCooperativeLevel();
    if (level == 0 && !lost)
        return 0;
    lost = true;
    if (level == DeviceResult::NotReset)
        level = ResetDevice(); // a failed reset is tried again on the next tick
    if (level != 0)
        return level; // still lost: this tick draws nothing
    lost = false;
    lastFrame.valid = false; // a reset back buffer holds nothing of ours
    return 0;
}
