#include "host/win32/PowerSettings.h"

#include "host/SaverContext.h"
#include "host/win32/PlatformHostState.h"

#include <algorithm>

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

namespace {

bool EveryAnswerCame(const PlatformHostState& host)
{
    for (int i = 0; i < PowerSettingCount; ++i)
        if (host.powerSettings[i] != nullptr && !host.powerSettingHeard[i]) return false;
    return true;
}

constexpr uint32_t AnswerPollMs = 10;

} // namespace

void WatchPowerSettings(SaverContext& context, WindowHandle window)
{
    if (context.mode.PreviewMode || context.platform == nullptr) return;
    PlatformHostState& host = *context.platform;
    context.app.answers.power.energySaver = PlatformBatterySaverOn();
    PlatformRegisterPowerSettings(window, host.powerSettings);
    // Input counts from here on, as it will once start-up takes the window.
    context.host.mainWindow = window;
    PlatformCursorPos(context.host.startPosition);
    const uint32_t started = PlatformTickCount();
    for (;;) {
        PlatformDeliverPowerEvents(window, 0);
        const uint32_t waited = PlatformTickCount() - started;
        // Queued input stays for start-up to see.
        if (EveryAnswerCame(host) || waited >= FirstAnswersWaitMs || PlatformInputQueued(window)) break;
        if (context.InputPending()) {
            // A move: start-up takes the cursor's place afresh and would miss
            // it, so the saver closes now as the move would close it.
            PlatformRequestClose(window);
            break;
        }
        PlatformDeliverPowerEvents(window, std::min(AnswerPollMs, FirstAnswersWaitMs - waited));
    }
    context.trace.Step("power state read");
}

void UnwatchPowerSettings(SaverContext& context)
{
    if (context.platform != nullptr) PlatformUnregisterPowerSettings(context.platform->powerSettings);
}

void HearPowerBroadcast(SaverContext& context, MessageParam event, MessageData data)
{
    if (event != PowerSettingChangeEvent || context.platform == nullptr) return;
    const PowerSettingChange change = PlatformReadPowerSetting(data);
    if (change.setting != PowerSetting::Other) context.platform->powerSettingHeard[static_cast<int>(change.setting)] = true;
    HearPowerSetting(context.app.answers.power, context.platform->energySaverHeard, change.setting, change.value);
}
