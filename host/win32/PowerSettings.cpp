#include "host/win32/PowerSettings.h"

#include "host/SaverContext.h"
#include "host/win32/PlatformHostState.h"

void HearPowerSetting(PowerState& state, bool& energySaverHeard, PowerSetting setting, uint32_t value)
{
    switch (setting) {
    case PowerSetting::ConsoleDisplay:
        state.displaysOn = value != 0; // 0 off, 1 on, 2 dimmed: still seen
        break;
    case PowerSetting::EnergySaver:
        energySaverHeard = true;
        state.energySaver = value != 0; // 0 off, 1 standard, 2 high savings
        break;
    case PowerSetting::PowerSaving:
        if (!energySaverHeard) state.energySaver = value != 0;
        break;
    case PowerSetting::Other:
        break;
    }
}

void WatchPowerSettings(SaverContext& context, WindowHandle window)
{
    if (context.mode.PreviewMode || context.platform == nullptr) return;
    PlatformRegisterPowerSettings(window, context.platform->powerSettings);
}

void UnwatchPowerSettings(SaverContext& context)
{
    if (context.platform != nullptr) PlatformUnregisterPowerSettings(context.platform->powerSettings);
}

void HearPowerBroadcast(SaverContext& context, MessageParam event, MessageData data)
{
    if (event != PowerSettingChangeEvent || context.platform == nullptr) return;
    const PowerSettingChange change = PlatformReadPowerSetting(data);
    HearPowerSetting(context.app.answers.power, context.platform->energySaverHeard, change.setting, change.value);
}
