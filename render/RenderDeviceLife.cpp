// The render device's life, the same on every platform: the surface first,
// then the black screen at once, the fixed states and the texture handles,
// which are enough to show a picture; then the fonts. Released the other way
// round, the textures before the device they belong to.

#include "render/RenderDevice.h"

int RenderDevice::Create(WindowHandle windowHandle, unsigned adapter)
{
    if (created)
        return 1;
    lastFrame = FrameMemory{};
    window = windowHandle;
    lost = false;
    const int result = CreateSurface(adapter);
    created = result == 0;
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
    for (TextureHandle** handle : {&pictureHandle, &barHandle, &emblemHandle})
        if (!*handle)
            *handle = new TextureHandle(*this);
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

int RenderDevice::InitResources()
{
    const int result = PrepareSurface();
    PrepareFonts();
    return result;
}

void RenderDevice::Release()
{
    prefetch.reset(); // a decode still running ends unheeded
    panelCache.Clear();
    for (TextureHandle** handle : {&pictureHandle, &barHandle, &emblemHandle}) {
        delete *handle;
        *handle = nullptr;
    }
    lastFrame = FrameMemory{};
    ReleaseBuffers();
    ReleaseFonts();
    fontsMade = false;
    ReleaseSurface();
    created = false;
}
