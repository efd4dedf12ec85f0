#pragma once
// Windows tells the saver window whether the monitors are on and whether
// energy saver (or, before it, battery saver) is on through power-setting
// events, which the saver asks for itself. They only change what the saver
// spends; unlike the other power events they never close it.

#include "platform/win32/WindowMessages.h"

struct SaverContext;

// What one setting's value makes of the state. energySaverHeard: energy
// saver's own status has come, and the older battery saver's no longer counts.
void HearPowerSetting(PowerState& state, bool& energySaverHeard, PowerSetting setting, uint32_t value);

// The full-screen saver asks for the events when its window is made, and
// gives them back when it goes. Start-up must know the state before its
// first step asks the service: what Windows tells at once is read, and each
// registration's first answer (sent at once) is waited for, at most
// FirstAnswersWaitMs; input ends the wait and closes the saver. Nothing
// else is taken off the queue meanwhile.
constexpr uint32_t FirstAnswersWaitMs = 200;
void WatchPowerSettings(SaverContext& context, WindowHandle window);
void UnwatchPowerSettings(SaverContext& context);
// A WM_POWERBROADCAST on its way: a power-setting event is heard.
void HearPowerBroadcast(SaverContext& context, MessageParam event, MessageData data);
