// Direct3D 9 side of a lost device: the cooperative level, and the reset with
// what it needs around it. Whatever lives in the default pool blocks a reset,
// so it is let go before and made again after; the managed textures (the
// pictures, the artwork, the panels and the rendered texts) survive.

#include "render/RenderDevice.h"

#include "render/win32/RenderDeviceState.h"

namespace {

// The default-pool objects: the batch's vertex buffer, which the next batch
// makes again, and the kept copy of the presented frame, which the next
// Present makes again.
void ReleaseDefaultPool(RenderDeviceState& state)
{
    state.batch.Drop();
    SafeRelease(state.quadBuffer);
    state.quadBufferQuads = 0;
    SafeRelease(state.presentedFrame);
}

} // namespace

DeviceState StateOf(HRESULT result)
{
    switch (result) {
    case D3D_OK: return DeviceState::Ok;
    case D3DERR_DEVICELOST: return DeviceState::Lost;
    case D3DERR_DEVICENOTRESET: return DeviceState::NotReset;
    default: return SUCCEEDED(result) ? DeviceState::Ok : DeviceState::Failed;
    }
}

DeviceState RenderDevice::TestCooperativeLevel()
{
    IDirect3DDevice9* device = state ? state->Device() : nullptr;
    return device ? StateOf(device->TestCooperativeLevel()) : DeviceState::Failed;
}

DeviceState RenderDevice::ResetDevice()
{
    IDirect3DDevice9* device = state ? state->Device() : nullptr;
    if (!device)
        return DeviceState::Failed;
    ReleaseDefaultPool(*state);
    D3DPRESENT_PARAMETERS parameters = state->presentParameters;
    HRESULT result = device->Reset(&parameters);
    if (FAILED(result))
        return StateOf(result);
    // A reset device is back at its default states: the quad input and the blending again.
    SetRenderStates();
    return DeviceState::Ok;
}
