// Stand-ins for the Direct3D render device and its textures so the saver
// runs as a black window. Completed by the rendering issue, which replaces
// this whole file.

#include "render/RenderDevice.h"

RenderDevice renderDevice; // completed by the rendering issue

// Completed by the rendering issue: creates the Direct3D 9 device.
int RenderDevice::Create(WindowHandle saverWindow, unsigned)
{
    window = saverWindow;
    return 0;
}

// Completed by the rendering issue: fonts, vertex buffer and the three texture handles.
int RenderDevice::InitResources()
{
    return 0;
}

// Completed by the rendering issue.
void RenderDevice::Release()
{
}

// Completed by the rendering issue.
long RenderDevice::BeginScene()
{
    return 0;
}

// Completed by the rendering issue.
long RenderDevice::EndScene()
{
    return 0;
}

// Completed by the rendering issue.
int RenderDevice::Present()
{
    return 0;
}

// Completed by the rendering issue.
TextureHandle::~TextureHandle() = default;

// Completed by the rendering issue.
long TextureHandle::LoadResource(int, int, int)
{
    return 1;
}

// Completed by the rendering issue.
long TextureHandle::LoadFile(const std::string&, int, int)
{
    return 1;
}

// Completed by the rendering issue.
std::string TextureHandle::Name() const
{
    return {};
}
