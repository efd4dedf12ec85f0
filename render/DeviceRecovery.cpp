// A lost device, recovered the documented way: every frame tick asks the
// device first; while it is lost (or Present said so) nothing is drawn, and
// once it can be reset it is, and that tick's frame is drawn whole.

#include "render/DeviceRecovery.h"

#include "render/RenderDevice.h"

void RenderDevice::NotePresentResult(DeviceState result)
{
    if (result == DeviceState::Lost || result == DeviceState::NotReset)
        lost = true;
}

DeviceState RenderDevice::RecoverIfLost()
{
    DeviceState level = TestCooperativeLevel();
    if (level == DeviceState::Ok && !lost)
        return DeviceState::Ok;
    lost = true;
    if (level == DeviceState::NotReset)
        level = ResetDevice(); // a failed reset is tried again on the next tick
    if (level != DeviceState::Ok)
        return level; // still lost: this tick draws nothing
    lost = false;
    lastFrame.valid = false; // a reset back buffer holds nothing of ours
    return DeviceState::Ok;
}
