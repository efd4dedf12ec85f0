#pragma once
// The one render device: full-screen device, the quad primitive, four fonts
// and the three long-lived texture handles. Direct3D 9 on Windows; the tests
// link a recording device with the same operations.

#include "platform/Platform.h"
#include "render/FontKind.h"
#include "render/TextureHandle.h"

struct RenderDeviceState; // platform objects (device, fonts, vertex buffer)

class RenderDevice {
public:
    virtual ~RenderDevice() = default;

    int Create(WindowHandle window, unsigned adapter);
    int InitResources();
    void SetRenderStates();
    void Release();
    long BeginScene();
    long EndScene();
    int Present();
    int DrawQuad(const TextureRecord* texture, const Rect& rect, unsigned colour);

    WindowHandle window = nullptr;
    TextureHandle* pictureHandle = nullptr;
    TextureHandle* barHandle = nullptr;
    TextureHandle* emblemHandle = nullptr;
    int screenWidth = 0;
    int screenHeight = 0;
    RenderDeviceState* state = nullptr;
};

extern RenderDevice renderDevice;
