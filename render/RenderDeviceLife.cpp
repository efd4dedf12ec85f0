// The render device's life, the same on every platform: the surface first,
// then the black screen at once and the fixed states, which are enough to
// show a picture; then the fonts. Released the other way round, the textures
// before the device they belong to.

#include "render/RenderDevice.h"

#include "render/OverlayScale.h"

int RenderDevice::Create(const DeviceSetup& deviceSetup)
{
    if (created)
        return 1;
    setup = deviceSetup;
    setup.overlayScale = BoundedOverlayScale(setup.overlayScale);
    lastFrame = FrameMemory{};
    lost = false;
    const int result = CreateSurface();
    created = result == 0;
    // A failed attempt lets go of what it made (the Direct3D object too), so
    // a second attempt, windowed say, starts clean.
    if (!created)
        ReleaseSurface();
    return result;
}

int RenderDevice::PrepareSurface()
{
    if (!HasSurface())
        return 0;
    // The screen turns black at once.
    DrawList clear;
    clear.AddClear();
    Execute(clear);
    Present();

    SetRenderStates();
    Execute(clear);
    return 0;
}

void RenderDevice::PrepareFonts()
{
    if (!HasSurface() || fontsMade)
        return;
    CreateFonts();
    fontsMade = true;
}

void RenderDevice::SetOverlayScale(double scale)
{
    scale = BoundedOverlayScale(scale);
    if (scale == setup.overlayScale)
        return;
    setup.overlayScale = scale;
    panelCache.Clear();
    lastFrame = FrameMemory{};
    if (!fontsMade)
        return;
    ReleaseFonts();
    CreateFonts();
}

void RenderDevice::Release()
{
    prefetch.reset(); // a decode still running ends unheeded
    panelCache.Clear();
    for (TextureHandle* handle : {&picture, &bar, &emblem})
        handle->Unload();
    lastFrame = FrameMemory{};
    ReleaseBuffers();
    ReleaseFonts();
    fontsMade = false;
    ReleaseSurface();
    created = false;
}
