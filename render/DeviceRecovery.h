#pragma once
// The device results that the recovery of a lost device reacts to, with the
// values Direct3D 9 gives them.

#include <cstdint>

namespace DeviceResult {
constexpr long Lost = static_cast<int32_t>(0x88760868u);     // D3DERR_DEVICELOST
constexpr long NotReset = static_cast<int32_t>(0x88760869u); // D3DERR_DEVICENOTRESET
} // namespace DeviceResult
