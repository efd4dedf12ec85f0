#pragma once
// What a device says about itself, as the recovery of a lost device needs
// it; each backend translates its own answers into these.

enum class DeviceState {
    Ok = 0,
    Lost,     // nothing can be drawn, and the device cannot be reset yet
    NotReset, // the device can be reset now
    Failed,   // any other failure (no device, a reset that did not work)
};
