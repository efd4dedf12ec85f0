// Direct3D 9 render device.
// Implements: the steps of the device's life (RenderDeviceLife.cpp): the
// device on adapter 0 (full screen at the display mode, or windowed at a
// chosen size), the fixed pipeline states, the four fonts (GDI); measuring
// text, scene bracketing, presentation of the whole back buffer or of areas,
// and the draw list: its quads, texts (GDI-rendered textures, kept while
// unchanged), clips and clears are queued in a DrawBatch and carried out at
// the scene's end in one vertex buffer with runs of quads (outside a scene at
// once).
// Needs: d3d9 at run time (Direct3d); GDI; the saver window from the host.

#include "render/RenderDevice.h"

#include "platform/win32/Direct3d.h"
#include "platform/win32/MonitorDpi.h"
#include "render/TextureRecord.h"
#include "render/win32/RenderDeviceState.h"

#include <windows.h>

namespace {

RECT ToRect(const Rect& rect)
{
    return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

// Carries out what was queued; the texts it drew count as drawn in this frame.
HRESULT FlushBatch(RenderDeviceState& state)
{
    const HRESULT result = state.batch.Flush(state.Device(), state.quadBuffer, state.quadBufferQuads);
    state.textTextures.FrameDone();
    return result;
}

// Outside a scene there is no end to wait for: what was queued is drawn now.
void FlushOutsideScene(RenderDeviceState& state)
{
    if (!state.inScene && state.Device())
        FlushBatch(state);
}

} // namespace

// --- Device life ----------------------------------------------------------------

RenderDevice::RenderDevice() = default;

RenderDevice::~RenderDevice()
{
    if (created) Release();
}

int RenderDevice::CreateSurface()
{
    state = std::make_unique<RenderDeviceState>();
    HWND hwnd = static_cast<HWND>(setup.window);
    const UINT adapter = setup.adapter;

    // The first device makes the saver's one Direct3D object; the other
    // monitors' devices are given it.
    if (!setup.adapters)
        setup.adapters = OpenDisplayAdapters();
    if (!setup.adapters)
        return NoGraphicsLibrary;
    state->direct3d = setup.adapters->direct3d;

    // Probe the adapter for the best device type it offers.
    D3DCAPS9 caps{};
    if (adapter < state->direct3d->GetAdapterCount()) {
        for (D3DDEVTYPE type : {D3DDEVTYPE_HAL, D3DDEVTYPE_REF, D3DDEVTYPE_SW, D3DDEVTYPE_NULLREF}) {
            if (SUCCEEDED(state->direct3d->GetDeviceCaps(adapter, type, &caps)))
                break;
            caps = D3DCAPS9{};
        }
    }

    D3DDISPLAYMODE mode{};
    state->direct3d->GetAdapterDisplayMode(adapter, &mode);
    bool windowed = setup.windowedWidth > 0 && setup.windowedHeight > 0;
    screenWidth = windowed ? setup.windowedWidth : static_cast<int>(mode.Width);
    screenHeight = windowed ? setup.windowedHeight : static_cast<int>(mode.Height);

    D3DPRESENT_PARAMETERS parameters{};
    parameters.BackBufferWidth = static_cast<UINT>(screenWidth);
    parameters.BackBufferHeight = static_cast<UINT>(screenHeight);
    parameters.BackBufferFormat = mode.Format;
    parameters.BackBufferCount = 1;
    // Copy keeps the back buffer as drawn, so a frame can redraw and present
    // only the areas that changed.
    parameters.SwapEffect = D3DSWAPEFFECT_COPY;
    parameters.hDeviceWindow = hwnd;
    parameters.Windowed = windowed ? TRUE : FALSE;

    state->presentParameters = parameters; // CreateDevice may write to its copy
    DWORD behaviour = (caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) ? D3DCREATE_HARDWARE_VERTEXPROCESSING
                                                                       : D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    // Full-screen devices on several monitors must share one focus window
    // (the saver window); each draws on its own monitor's window.
    HWND focus = setup.focusWindow != nullptr ? static_cast<HWND>(setup.focusWindow) : hwnd;
    if (FAILED(state->direct3d->CreateDevice(adapter, caps.DeviceType, focus, behaviour, &parameters,
                                             &state->device)))
        return 1;
    return 0;
}

int RenderDevice::MonitorDpi() const
{
    HMONITOR monitor = nullptr;
    if (state && state->direct3d && setup.adapter < state->direct3d->GetAdapterCount())
        monitor = state->direct3d->GetAdapterMonitor(setup.adapter);
    if (monitor == nullptr)
        monitor = MonitorFromWindow(static_cast<HWND>(setup.window), MONITOR_DEFAULTTONEAREST);
    return ::MonitorDpi(monitor);
}

bool RenderDevice::HasSurface() const
{
    return state && state->Device();
}

void RenderDevice::SetRenderStates()
{
    IDirect3DDevice9* device = state ? state->Device() : nullptr;
    if (!device)
        return;
    // Input assembly: pre-transformed, coloured, textured vertices (the
    // batch makes and grows the buffer).
    device->SetVertexShader(nullptr);
    device->SetFVF(QuadVertexFormat);
    // Rasteriser: no depth test, no lighting (vertices are pre-lit).
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    // Output merger: everything is blended over the back buffer by source alpha.
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    // Texture stage 0: alpha is texture alpha times vertex alpha (colour modulates by default).
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
}

void RenderDevice::CreateFonts()
{
    if (state && state->Device())
        state->text.Create(setup.overlayScale);
}

void RenderDevice::ReleaseBuffers()
{
    if (!state)
        return;
    state->batch.Drop();
    state->inScene = false;
    SafeRelease(state->presentedFrame);
    SafeRelease(state->quadBuffer);
    state->quadBufferQuads = 0;
}

void RenderDevice::ReleaseFonts()
{
    if (!state)
        return;
    state->textTextures.Clear();
    state->text.Release();
}

void RenderDevice::ReleaseSurface()
{
    if (!state)
        return;
    SafeRelease(state->device);
    // The Direct3D object goes with the last device made from it.
    state->direct3d = nullptr;
    setup.adapters.reset();
}

long RenderDevice::BeginScene()
{
    IDirect3DDevice9* device = state ? state->Device() : nullptr;
    if (!device)
        return D3DERR_INVALIDCALL;
    HRESULT result = device->BeginScene();
    state->inScene = SUCCEEDED(result);
    return result;
}

long RenderDevice::EndScene()
{
    IDirect3DDevice9* device = state ? state->Device() : nullptr;
    if (!device)
        return D3DERR_INVALIDCALL;
    state->batchFailed = FAILED(FlushBatch(*state));
    state->inScene = false;
    return device->EndScene();
}

int RenderDevice::Present(const Rect* area)
{
    IDirect3DDevice9* device = state ? state->Device() : nullptr;
    if (!device)
        return 1;
    if (setup.keepPresentedFrame)
        KeepBackBuffer(device, state->presentedFrame);
    const RECT part = area ? ToRect(*area) : RECT{};
    const HRESULT result =
        device->Present(area ? &part : nullptr, area ? &part : nullptr, static_cast<HWND>(setup.window), nullptr);
    NotePresentResult(StateOf(result));
    return FAILED(result) || state->batchFailed ? 1 : 0;
}

// --- Primitives -----------------------------------------------------------------

FontDescription RenderDevice::SelectFont(FontKind kind) const
{
    const unsigned slot = FontSlot(kind);
    FontDescription font;
    font.kind = FontStyles[slot].kind;
    if (state) {
        const LOGFONTA& description = state->text.Description(slot);
        font.height = description.lfHeight;
        font.weight = description.lfWeight;
        font.italic = description.lfItalic != FALSE;
        font.averageCharWidth = state->text.Metrics(slot).tmAveCharWidth;
    }
    return font;
}

void RenderDevice::MeasureText(FontKind kind, const std::string& text, Rect& rect) const
{
    RECT extent = ToRect(rect);
    if (state && state->text.Measure(FontSlot(kind), text, extent))
        rect = Rect{extent.left, extent.top, extent.right, extent.bottom};
}

// --- Draw list -----------------------------------------------------------------

namespace {

DWORD DrawTextFormat(unsigned format)
{
    return DT_TOP | DT_LEFT | ((format & TextFormat::NoPrefix) ? DT_NOPREFIX : 0);
}

// Corners clockwise from the top left, shifted by half a pixel so texels
// land on pixel centres; the texture from its top left corner to u, v.
void AddQuad(DrawBatch& batch, IDirect3DTexture9* texture, const Rect& rect, uint32_t colour, float u = 1.0f,
             float v = 1.0f, Sampling sampling = Sampling::Nearest)
{
    float left = static_cast<float>(rect.left) - 0.5f, right = static_cast<float>(rect.right) - 0.5f;
    float top = static_cast<float>(rect.top) - 0.5f, bottom = static_cast<float>(rect.bottom) - 0.5f;
    const QuadVertex corners[4] = {
        {left, top, 0.0f, 1.0f, colour, 0.0f, 0.0f},
        {right, top, 0.0f, 1.0f, colour, u, 0.0f},
        {right, bottom, 0.0f, 1.0f, colour, u, v},
        {left, bottom, 0.0f, 1.0f, colour, 0.0f, v},
    };
    batch.AddQuad(texture, corners, sampling == Sampling::Linear);
}

IDirect3DTexture9* TextureOf(const TextureRecord* texture)
{
    return texture && texture->texture ? D3DTexture(texture->texture) : nullptr;
}

// A text box: its rendered texture on one quad over the box and the glyphs
// reaching past it, in the text's colour.
void AddText(RenderDeviceState& state, const DrawCommand& command)
{
    const Rect& box = command.rect;
    const TextTexture* drawn = state.textTextures.Get(state.Device(), state.text, FontSlot(command.font), command.text,
                                                      box.right - box.left, box.bottom - box.top,
                                                      DrawTextFormat(command.format));
    if (!drawn || !drawn->texture)
        return;
    const int left = box.left + drawn->left, top = box.top + drawn->top;
    AddQuad(state.batch, drawn->texture, Rect{left, top, left + drawn->width, top + drawn->height}, command.colour,
            drawn->u, drawn->v);
}

} // namespace

void RenderDevice::Execute(const DrawList& list)
{
    if (!state || !state->Device())
        return;
    DrawBatch& batch = state->batch;
    for (const DrawCommand& command : list.Commands()) {
        switch (command.kind) {
        case DrawCommand::Kind::Clear:
            batch.AddClear();
            break;
        case DrawCommand::Kind::Clip: {
            const RECT clip = ToRect(command.rect);
            const bool none = command.rect.right <= command.rect.left || command.rect.bottom <= command.rect.top;
            batch.AddClip(none ? nullptr : &clip);
            break;
        }
        case DrawCommand::Kind::Quad:
            AddQuad(batch, TextureOf(command.texture), command.rect, command.colour, 1.0f, 1.0f, command.sampling);
            break;
        case DrawCommand::Kind::Panel:
            AddQuad(batch, TextureOf(PanelTexture(command.rect)), command.rect, command.colour);
            break;
        case DrawCommand::Kind::Text:
            AddText(*state, command);
            break;
        }
    }
    FlushOutsideScene(*state);
}
