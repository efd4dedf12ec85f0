// The saver window's power-setting notifications (the display state, energy
// saver, battery saver) and the connection's cost: the Windows side of the
// saver's thrift.

#include "platform/win32/ConnectionCost.h"
#include "platform/win32/Wic.h"
#include "platform/win32/WindowMessages.h"

#include <netlistmgr.h>

namespace {

// Not in every SDK's headers: energy saver (Windows 11 22H2 on), and the
// battery saver that came before it.
constexpr GUID EnergySaverStatus = {0x550e8400, 0xe29b, 0x41d4, {0xa7, 0x16, 0x44, 0x66, 0x55, 0x44, 0x00, 0x00}};
constexpr GUID PowerSavingStatus = {0xe00958c0, 0xc213, 0x4ace, {0xac, 0x77, 0xfe, 0xcc, 0xed, 0x2e, 0xee, 0xa5}};
constexpr GUID ConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

const GUID* const watched[PowerSettingCount] = {&ConsoleDisplayState, &EnergySaverStatus, &PowerSavingStatus};

} // namespace

void PlatformRegisterPowerSettings(WindowHandle window, void* (&registrations)[PowerSettingCount])
{
    // Each registration is answered at once with the setting's state; a
    // system without the setting refuses it or never tells.
    for (int i = 0; i < PowerSettingCount; ++i)
        registrations[i] = RegisterPowerSettingNotification(static_cast<HWND>(window), watched[i], DEVICE_NOTIFY_WINDOW_HANDLE);
}

void PlatformUnregisterPowerSettings(void* (&registrations)[PowerSettingCount])
{
    for (void*& registration : registrations) {
        if (registration != nullptr) UnregisterPowerSettingNotification(static_cast<HPOWERNOTIFY>(registration));
        registration = nullptr;
    }
}

PowerSettingChange PlatformReadPowerSetting(MessageData data)
{
    const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(data);
    PowerSettingChange change;
    if (setting == nullptr || setting->DataLength < sizeof(DWORD)) return change;
    for (int i = 0; i < PowerSettingCount; ++i)
        if (IsEqualGUID(setting->PowerSetting, *watched[i])) change.setting = static_cast<PowerSetting>(i);
    change.value = *reinterpret_cast<const DWORD*>(setting->Data);
    return change;
}

void PlatformDeliverPowerEvents(WindowHandle window, uint32_t milliseconds)
{
    if (milliseconds > 0) MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_POSTMESSAGE | QS_SENDMESSAGE);
    MSG message;
    while (PeekMessageA(&message, static_cast<HWND>(window), WM_POWERBROADCAST, WM_POWERBROADCAST, PM_REMOVE))
        DispatchMessageA(&message);
}

bool PlatformBatterySaverOn()
{
    // SystemStatusFlag, which these headers still call Reserved1.
    SYSTEM_POWER_STATUS status;
    return GetSystemPowerStatus(&status) && (status.Reserved1 & SYSTEM_STATUS_FLAG_POWER_SAVING_ON) != 0;
}

void PlatformReadPowerState(WindowHandle window, PowerState&)
{
    // Windows tells the window by events, which the host hears; those already
    // on their way are heard now, so a step never asks on stale news.
    PlatformDeliverPowerEvents(window, 0);
}

bool PlatformConnectionMetered(WindowHandle)
{
    ComApartment apartment(COINIT_APARTMENTTHREADED);
    ComPtr<INetworkCostManager> costs;
    if (FAILED(CoCreateInstance(CLSID_NetworkListManager, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&costs)))) return false;
    DWORD cost = 0;
    // No destination: the cost of the machine's preferred connection.
    if (FAILED(costs->GetCost(&cost, nullptr))) return false;
    return ConnectionCostIsMetered(cost);
}
