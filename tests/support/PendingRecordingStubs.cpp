// Stand-ins for the render device in the native tests until the recording
// device lands (completed by the rendering issue, which replaces this file).

#include "render/RenderDevice.h"

RenderDevice renderDevice; // completed by the rendering issue

// Completed by the rendering issue.
int RenderDevice::Create(WindowHandle saverWindow, unsigned)
{
    window = saverWindow;
    screenWidth = 1920;
    screenHeight = 1080;
    return 0;
}

// Completed by the rendering issue.
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
