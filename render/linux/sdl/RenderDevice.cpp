// SDL_Renderer render device.
// Implements: the steps of the device's life (RenderDeviceLife.cpp): the
// software renderer on the saver window (our own, or a foreign X window
// whose size it takes; on Wayland OpenGL ES into a frame texture), source-alpha blending throughout, the fonts; scene
// bracketing, presentation, and the draw list at once: quads as blits or
// fills, texts through SDL2_ttf, clips and clears.
// Needs: SDL2, SDL2_ttf; the saver window from the host.

#include "render/RenderDevice.h"

#include "platform/linux/sdl/SdlPlatform.h"
#include "render/TextureRecord.h"
#include "render/linux/sdl/RenderDeviceState.h"
#include "render/linux/sdl/SurfaceSize.h"

#include <cstdio>
#include <string>

namespace {

// Notes a failed draw (the frame is incomplete, Present says so); its result passes through.
int Checked(RenderDeviceState& state, int result)
{
    if (result != 0) state.drawFailed = true;
    return result;
}

SDL_Color ToSdlColour(uint32_t argb)
{
    return SDL_Color{static_cast<Uint8>(argb >> 16), static_cast<Uint8>(argb >> 8), static_cast<Uint8>(argb),
                     static_cast<Uint8>(argb >> 24)};
}

// The lines of a text as DrawText breaks them; a break at the very end adds no line.
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

TTF_Font* FontOf(const RenderDeviceState* state, FontKind kind)
{
    return state ? state->fonts[FontSlot(kind)] : nullptr;
}

int LineHeight(const RenderDeviceState* state, FontKind kind)
{
    return state->descriptions[FontSlot(kind)].height;
}

} // namespace

// --- Device life ----------------------------------------------------------------

RenderDevice::RenderDevice() = default;

RenderDevice::~RenderDevice()
{
    if (created) Release();
}

namespace {

// The frame buffer of an OpenGL renderer is gone after each present, while
// the saver redraws only what changed: it draws into a texture of its own,
// copied whole to the window at each present.
SDL_Texture* CreateFrameTexture(SDL_Renderer* renderer, int width, int height)
{
    SDL_Texture* frame =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, width, height);
    if (frame == nullptr) return nullptr;
    SDL_SetTextureBlendMode(frame, SDL_BLENDMODE_NONE);
    if (SDL_SetRenderTarget(renderer, frame) != 0) {
        SDL_DestroyTexture(frame);
        return nullptr;
    }
    return frame;
}

} // namespace

int RenderDevice::CreateSurface()
{
    state = std::make_unique<RenderDeviceState>();
    state->window = static_cast<SDL_Window*>(setup.window);
    // The saver window comes with the renderer the platform found drawing on
    // it on Wayland. There SDL draws through OpenGL ES (on Mesa's software
    // rasteriser where there is no GPU); where that fails the platform has
    // every later renderer be SDL's software one (its render driver hint).
    state->renderer = SDL_GetRenderer(state->window);
    if (state->renderer == nullptr && IsWayland()) {
        state->renderer = SDL_CreateRenderer(state->window, -1, SDL_RENDERER_ACCELERATED);
    } else if (state->renderer == nullptr) {
        // The software renderer: the same pixels on every X server, Xvfb included.
        // Its frames go to the window as plain X images: SDL would otherwise
        // present them through OpenGL, which without a GPU (Xvfb, many VMs) is
        // a software rasteriser costing more than the frame itself.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        state->renderer = SDL_CreateRenderer(state->window, -1, SDL_RENDERER_SOFTWARE);
    }
    if (!state->renderer) {
        std::fprintf(stderr, "zembria: no renderer: %s\n", SDL_GetError());
        return 1;
    }
    int width = 0, height = 0;
    SDL_GetRendererOutputSize(state->renderer, &width, &height);
    SDL_GetWindowSizeInPixels(state->window, &state->windowWidth, &state->windowHeight);
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(state->renderer, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE) == 0) {
        state->frame = CreateFrameTexture(state->renderer, width, height);
        if (state->frame == nullptr) {
            std::fprintf(stderr, "zembria: no frame buffer: %s\n", SDL_GetError());
            return 1;
        }
    }
    screenWidth = setup.windowedWidth > 0 ? setup.windowedWidth : width;
    screenHeight = setup.windowedHeight > 0 ? setup.windowedHeight : height;
    return 0;
}

// Not the renderer's output size: with the frame texture as its target it
// answers the texture's.
bool SurfaceSizeChanged(const RenderDevice& device)
{
    const RenderDeviceState* state = device.NativeState();
    if (state == nullptr || state->renderer == nullptr) return false;
    int width = 0, height = 0;
    SDL_GetWindowSizeInPixels(state->window, &width, &height);
    return width != state->windowWidth || height != state->windowHeight;
}

int RenderDevice::MonitorDpi() const
{
    return PlatformWindowDpi(setup.window);
}

bool RenderDevice::HasSurface() const
{
    return state && state->renderer;
}

void RenderDevice::SetRenderStates()
{
    // Output merger: everything is blended over the frame by source alpha;
    // textures carry their own blend mode (TextureRecord).
    if (state && state->renderer) SDL_SetRenderDrawBlendMode(state->renderer, SDL_BLENDMODE_BLEND);
}

void RenderDevice::CreateFonts()
{
    if (OpenFonts(*state, setup.overlayScale) != 0) std::fprintf(stderr, "zembria: fonts missing, texts are not drawn\n");
}

void RenderDevice::ReleaseBuffers()
{
    if (state) state->presentedFrame.clear();
}

void RenderDevice::ReleaseFonts()
{
    if (state) CloseFonts(*state);
}

void RenderDevice::ReleaseSurface()
{
    if (!state) return;
    if (state->frame) SDL_DestroyTexture(state->frame);
    state->frame = nullptr;
    if (state->renderer) SDL_DestroyRenderer(state->renderer);
    state->renderer = nullptr;
}

long RenderDevice::BeginScene()
{
    if (!state || !state->renderer) return 1;
    state->drawFailed = false;
    return 0;
}

long RenderDevice::EndScene()
{
    return state && state->renderer ? 0 : 1;
}

// SDL's first draw costs no more than a copy would: the picture is drawn.
bool RenderDevice::CopyPictureToBackBuffer()
{
    return false;
}

// The software renderer draws into the window's own surface, which keeps
// what was drawn from one present to the next; a present of an area shows
// the whole surface, whose other parts are unchanged. An OpenGL renderer's
// frame texture is shown whole the same way.
int RenderDevice::Present(const Rect*)
{
    if (!state || !state->renderer) return 1;
    if (setup.keepPresentedFrame) state->presentedFrame = ReadFrame(state->renderer, screenWidth, screenHeight);
    if (state->frame) {
        SDL_SetRenderTarget(state->renderer, nullptr);
        Checked(*state, SDL_RenderCopy(state->renderer, state->frame, nullptr, nullptr));
        SDL_RenderPresent(state->renderer);
        // Back on the frame texture, whose clip SDL forgot in between.
        SDL_SetRenderTarget(state->renderer, state->frame);
        SDL_RenderSetClipRect(state->renderer, SDL_RectEmpty(&state->clip) ? nullptr : &state->clip);
    } else {
        SDL_RenderPresent(state->renderer);
    }
    return state->drawFailed ? 1 : 0;
}

// The software renderer's surface is never lost.
DeviceState RenderDevice::TestCooperativeLevel()
{
    return state && state->renderer ? DeviceState::Ok : DeviceState::Failed;
}

DeviceState RenderDevice::ResetDevice()
{
    return DeviceState::Ok;
}

// --- Primitives -----------------------------------------------------------------

FontDescription RenderDevice::SelectFont(FontKind kind) const
{
    const unsigned slot = FontSlot(kind);
    if (!state) return FontDescription{FontStyles[slot].kind, 0, 0, false, 0};
    return state->descriptions[slot];
}

void RenderDevice::MeasureText(FontKind kind, const std::string& text, Rect& rect) const
{
    TTF_Font* font = FontOf(state.get(), kind);
    if (!font || text.empty()) return;
    int widest = 0;
    const std::vector<std::string> lines = Lines(text);
    for (const std::string& line : lines) {
        int width = 0, height = 0;
        if (!line.empty() && TTF_SizeText(font, line.c_str(), &width, &height) == 0 && width > widest) widest = width;
    }
    rect.right = rect.left + widest;
    rect.bottom = rect.top + static_cast<int>(lines.size()) * LineHeight(state.get(), kind);
}

// --- Draw list -----------------------------------------------------------------

namespace {

void Clear(RenderDeviceState& state)
{
    SDL_SetRenderDrawColor(state.renderer, 0, 0, 0, 0);
    if (SDL_RectEmpty(&state.clip)) {
        Checked(state, SDL_RenderClear(state.renderer));
        return;
    }
    // A clear ignores the clip: fill the area, replacing what is there.
    SDL_SetRenderDrawBlendMode(state.renderer, SDL_BLENDMODE_NONE);
    Checked(state, SDL_RenderFillRect(state.renderer, &state.clip));
    SDL_SetRenderDrawBlendMode(state.renderer, SDL_BLENDMODE_BLEND);
}

void SetClip(RenderDeviceState& state, const Rect& area)
{
    state.clip = SDL_Rect{area.left, area.top, area.right - area.left, area.bottom - area.top};
    SDL_RenderSetClipRect(state.renderer, SDL_RectEmpty(&state.clip) ? nullptr : &state.clip);
}

void DrawText(RenderDeviceState& state, FontKind kind, const std::string& text, const Rect& rect, uint32_t colour)
{
    TTF_Font* font = FontOf(&state, kind);
    if (!font) return;
    SDL_Rect clip{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    if (!SDL_RectEmpty(&state.clip) && !SDL_IntersectRect(&clip, &state.clip, &clip)) return;
    SDL_RenderSetClipRect(state.renderer, &clip);
    int y = rect.top;
    for (const std::string& line : Lines(text)) {
        // Texts are the service's and the dictionaries' 8-bit text, taken as Latin-1.
        SDL_Surface* surface = line.empty() ? nullptr : TTF_RenderText_Blended(font, line.c_str(), ToSdlColour(colour));
        if (surface) {
            SDL_Texture* texture = SDL_CreateTextureFromSurface(state.renderer, surface);
            if (texture) {
                SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
                const SDL_Rect target{rect.left, y, surface->w, surface->h};
                Checked(state, SDL_RenderCopy(state.renderer, texture, nullptr, &target));
                SDL_DestroyTexture(texture);
            } else {
                state.drawFailed = true;
            }
            SDL_FreeSurface(surface);
        }
        y += LineHeight(&state, kind);
    }
    SDL_RenderSetClipRect(state.renderer, SDL_RectEmpty(&state.clip) ? nullptr : &state.clip);
}

// Every quad is an axis-aligned rectangle: a blit (texture colour times the
// quad's colour, as Direct3D's default stage modulates) or a fill, both far
// cheaper in the software renderer than general geometry.
void DrawQuad(RenderDeviceState& state, const TextureRecord* texture, const Rect& rect, uint32_t colour,
              Sampling sampling = Sampling::Nearest)
{
    const SDL_Color c = ToSdlColour(colour);
    const SDL_Rect target{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    SDL_Texture* source = texture && texture->texture ? SdlTexture(texture->texture) : nullptr;
    if (source) {
        SDL_SetTextureColorMod(source, c.r, c.g, c.b);
        SDL_SetTextureAlphaMod(source, c.a);
        SDL_SetTextureScaleMode(source, sampling == Sampling::Linear ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
        Checked(state, SDL_RenderCopy(state.renderer, source, nullptr, &target));
    } else {
        SDL_SetRenderDrawColor(state.renderer, c.r, c.g, c.b, c.a);
        Checked(state, SDL_RenderFillRect(state.renderer, &target));
    }
}

} // namespace

// The renderer draws at once: there is nothing to queue.
void RenderDevice::Execute(const DrawList& list)
{
    if (!state || !state->renderer) return;
    for (const DrawCommand& command : list.Commands()) {
        switch (command.kind) {
        case DrawCommand::Kind::Clear: Clear(*state); break;
        case DrawCommand::Kind::Clip: SetClip(*state, command.rect); break;
        case DrawCommand::Kind::Quad:
            DrawQuad(*state, command.texture, command.rect, command.colour, command.sampling);
            break;
        case DrawCommand::Kind::Panel: DrawQuad(*state, PanelTexture(command.rect), command.rect, command.colour); break;
        case DrawCommand::Kind::Text: DrawText(*state, command.font, command.text, command.rect, command.colour); break;
        }
    }
}
