// Direct3D 9 render device.
// Implements: device creation on adapter 0 (full screen at the display mode,
// or windowed at a chosen size), the fixed blend states, the one quad
// primitive over a reused 4-vertex buffer, the four D3DX fonts with measuring
// and drawing, scene bracketing and presentation.
// Needs: d3d9, d3dx9 (d3dx9_43); the saver window from the host.

#include "render/RenderDevice.h"

#include "render/TextureRecord.h"
#include "render/win32/RenderDeviceState.h"

#include <windows.h>

#include <cstring>

namespace {

bool deviceCreated = false;

constexpr UINT QuadBufferBytes = 4 * sizeof(QuadVertex); // 112

RECT ToRect(const Rect& rect)
{
    return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

struct FontStyle {
    FontKind kind;
    INT height;
    UINT weight;
    BOOL italic;
};

// Creation order; each lands in its FontSlot.
constexpr FontStyle FontStyles[FontCount] = {
    {FontKind::Heading, 28, FW_BOLD, FALSE},
    {FontKind::Accent, 18, FW_BOLD, TRUE},
    {FontKind::TextBold, 18, FW_BOLD, FALSE},
    {FontKind::Text, 18, FW_NORMAL, FALSE},
};

D3DXFONT_DESCA Describe(const FontStyle& style)
{
    D3DXFONT_DESCA description{};
    description.Height = style.height;
    description.Width = 0;
    description.Weight = style.weight;
    description.MipLevels = D3DX_DEFAULT;
    description.Italic = style.italic;
    description.CharSet = DEFAULT_CHARSET;
    description.OutputPrecision = OUT_DEVICE_PRECIS;
    description.Quality = ANTIALIASED_QUALITY;
    description.PitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    description.FaceName[0] = '\0'; // the system's default face
    return description;
}

template <typename T> void SafeRelease(T*& object)
{
    if (object) {
        object->Release();
        object = nullptr;
    }
}

} // namespace

unsigned FontSlot(FontKind kind)
{
    switch (kind) {
    case FontKind::TextBold: return 1;
    case FontKind::Accent: return 2;
    case FontKind::Heading: return 3;
    default: return 0;
    }
}

// --- Device life ----------------------------------------------------------------

int RenderDevice::Create(WindowHandle windowHandle, unsigned adapter)
{
    if (deviceCreated)
        return 1;
    if (!state)
        state = new RenderDeviceState;
    *state = RenderDeviceState{};
    window = windowHandle;
    HWND hwnd = static_cast<HWND>(windowHandle);

    state->direct3d = Direct3DCreate9(D3D_SDK_VERSION);
    if (!state->direct3d) {
        MessageBoxA(nullptr, "Cannot create DirectX device!", "Initialization Error", MB_ICONERROR);
        SendMessageA(hwnd, WM_DESTROY, 0, 0);
        return -1;
    }

    // Probe adapter 0 for the best device type it offers.
    D3DCAPS9& caps = state->caps[0];
    if (state->direct3d->GetAdapterCount() >= 1) {
        for (D3DDEVTYPE type : {D3DDEVTYPE_HAL, D3DDEVTYPE_REF, D3DDEVTYPE_SW, D3DDEVTYPE_NULLREF}) {
            if (SUCCEEDED(state->direct3d->GetDeviceCaps(0, type, &caps)))
                break;
            caps = D3DCAPS9{};
        }
        state->adapterGroupCount = caps.NumberOfAdaptersInGroup;
    }

    D3DDISPLAYMODE mode{};
    state->direct3d->GetAdapterDisplayMode(adapter, &mode);
    bool windowed = windowedWidth > 0 && windowedHeight > 0;
    screenWidth = windowed ? windowedWidth : static_cast<int>(mode.Width);
    screenHeight = windowed ? windowedHeight : static_cast<int>(mode.Height);

    D3DPRESENT_PARAMETERS parameters{};
    parameters.BackBufferWidth = static_cast<UINT>(screenWidth);
    parameters.BackBufferHeight = static_cast<UINT>(screenHeight);
    parameters.BackBufferFormat = mode.Format;
    parameters.BackBufferCount = 1;
    parameters.SwapEffect = D3DSWAPEFFECT_FLIP;
    parameters.hDeviceWindow = hwnd;
    parameters.Windowed = windowed ? TRUE : FALSE;

    DWORD behaviour = (caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) ? D3DCREATE_HARDWARE_VERTEXPROCESSING
                                                                       : D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    // Further adapters of a group are left alone: only device 0 is drawn to.
    if (FAILED(state->direct3d->CreateDevice(adapter, caps.DeviceType, hwnd, behaviour, &parameters,
                                             &state->devices[0])))
        return 1;

    deviceCreated = true;
    return 0;
}

int RenderDevice::InitResources()
{
    IDirect3DDevice9* device = state ? state->Device() : nullptr;
    if (!device)
        return 0;

    // Input assembly: pre-transformed, coloured, textured vertices in one reused buffer.
    device->SetVertexShader(nullptr);
    device->SetFVF(QuadVertexFormat);
    device->CreateVertexBuffer(QuadBufferBytes, D3DUSAGE_SOFTWAREPROCESSING, QuadVertexFormat, D3DPOOL_MANAGED,
                               &state->quadBuffer, nullptr);
    device->SetStreamSource(0, state->quadBuffer, 0, sizeof(QuadVertex));

    // The screen turns black at once.
    ClearToBlack();
    Present();

    SetRenderStates();
    for (TextureHandle** handle : {&pictureHandle, &barHandle, &emblemHandle})
        if (!*handle)
            *handle = new TextureHandle;
    ClearToBlack();

    for (const FontStyle& style : FontStyles) {
        unsigned slot = FontSlot(style.kind);
        state->fontDescriptions[slot] = Describe(style);
        D3DXCreateFontIndirectA(device, &state->fontDescriptions[slot], &state->fonts[slot]);
        TEXTMETRICA metrics{};
        if (state->fonts[slot] && state->fonts[slot]->GetTextMetricsA(&metrics))
            state->averageCharWidths[slot] = metrics.tmAveCharWidth;
    }

    // Every font measures in the Heading font's mapping mode.
    ID3DXFont* heading = state->fonts[FontSlot(FontKind::Heading)];
    if (heading) {
        HDC headingDc = heading->GetDC();
        SetMapMode(headingDc, MM_TEXT);
        int mapMode = GetMapMode(headingDc);
        for (FontKind kind : {FontKind::Accent, FontKind::TextBold, FontKind::Text})
            if (ID3DXFont* font = state->fonts[FontSlot(kind)])
                SetMapMode(font->GetDC(), mapMode);
    }
    return 0;
}

void RenderDevice::SetRenderStates()
{
    IDirect3DDevice9* device = state ? state->Device() : nullptr;
    if (!device)
        return;
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

void RenderDevice::Release()
{
    // Textures first: they belong to the device released below.
    panelCache.Clear();
    for (TextureHandle** handle : {&pictureHandle, &barHandle, &emblemHandle}) {
        delete *handle;
        *handle = nullptr;
    }
    if (state) {
        SafeRelease(state->presentedFrame);
        SafeRelease(state->quadBuffer);
        for (ID3DXFont*& font : state->fonts)
            SafeRelease(font);
        for (UINT i = 0; i < state->adapterGroupCount && i < MaxAdapterGroup; ++i)
            SafeRelease(state->devices[i]);
        SafeRelease(state->devices[0]);
        SafeRelease(state->direct3d);
    }
    deviceCreated = false;
}

long RenderDevice::BeginScene()
{
    IDirect3DDevice9* device = state ? state->Device() : nullptr;
    return device ? device->BeginScene() : D3DERR_INVALIDCALL;
}

long RenderDevice::EndScene()
{
    IDirect3DDevice9* device = state ? state->Device() : nullptr;
    return device ? device->EndScene() : D3DERR_INVALIDCALL;
}

int RenderDevice::Present()
{
    IDirect3DDevice9* device = state ? state->Device() : nullptr;
    if (!device)
        return 0;
    if (keepPresentedFrame)
        KeepBackBuffer(device, state->presentedFrame);
    device->Present(nullptr, nullptr, static_cast<HWND>(window), nullptr);
    return 0;
}

long RenderDevice::ClearToBlack()
{
    IDirect3DDevice9* device = state ? state->Device() : nullptr;
    return device ? device->Clear(0, nullptr, D3DCLEAR_TARGET, D3DCOLOR_ARGB(0, 0, 0, 0), 1.0f, 0)
                  : D3DERR_INVALIDCALL;
}

// --- Primitives -----------------------------------------------------------------

FontDescription RenderDevice::SelectFont(FontKind kind) const
{
    unsigned slot = FontSlot(kind);
    static constexpr FontKind kinds[FontCount] = {FontKind::Text, FontKind::TextBold, FontKind::Accent,
                                                  FontKind::Heading};
    FontDescription font;
    font.kind = kinds[slot];
    if (state) {
        const D3DXFONT_DESCA& description = state->fontDescriptions[slot];
        font.height = description.Height;
        font.weight = static_cast<int>(description.Weight);
        font.italic = description.Italic != FALSE;
        font.averageCharWidth = state->averageCharWidths[slot];
    }
    return font;
}

void RenderDevice::MeasureText(FontKind kind, const std::string& text, Rect& rect) const
{
    ID3DXFont* font = state ? state->fonts[FontSlot(kind)] : nullptr;
    if (!font)
        return;
    RECT extent = ToRect(rect);
    font->DrawTextA(nullptr, text.c_str(), -1, &extent, DT_CALCRECT | DT_NOPREFIX, Colour::White);
    rect = Rect{extent.left, extent.top, extent.right, extent.bottom};
}

void RenderDevice::RenderText(FontKind kind, const std::string& text, const Rect& rect, unsigned format,
                              uint32_t colour)
{
    ID3DXFont* font = state ? state->fonts[FontSlot(kind)] : nullptr;
    if (!font)
        return;
    RECT area = ToRect(rect);
    // Texts come from the service: "&" is a character, never a prefix.
    font->DrawTextA(nullptr, text.c_str(), -1, &area, format | DT_NOPREFIX, colour);
}

int RenderDevice::DrawQuad(const TextureRecord* texture, const Rect& rect, uint32_t colour)
{
    IDirect3DDevice9* device = state ? state->Device() : nullptr;
    if (!device || !state->quadBuffer)
        return 0;
    // Corners as a triangle fan, shifted by half a pixel so texels land on pixel centres.
    float left = static_cast<float>(rect.left) - 0.5f, right = static_cast<float>(rect.right) - 0.5f;
    float top = static_cast<float>(rect.top) - 0.5f, bottom = static_cast<float>(rect.bottom) - 0.5f;
    const QuadVertex corners[4] = {
        {left, top, 0.0f, 1.0f, colour, 0.0f, 0.0f},
        {right, top, 0.0f, 1.0f, colour, 1.0f, 0.0f},
        {right, bottom, 0.0f, 1.0f, colour, 1.0f, 1.0f},
        {left, bottom, 0.0f, 1.0f, colour, 0.0f, 1.0f},
    };
    void* vertices = nullptr;
    if (FAILED(state->quadBuffer->Lock(0, 0, &vertices, 0)))
        return 0;
    std::memcpy(vertices, corners, sizeof corners);
    state->quadBuffer->Unlock();
    device->SetTexture(0, texture && texture->texture ? D3DTexture(texture->texture) : nullptr);
    device->DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2);
    return 0;
}
