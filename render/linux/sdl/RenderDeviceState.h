#pragma once
// SDL objects of the render device. Only render/linux/sdl sees them; the
// portable code knows RenderDeviceState by name only.

#include "render/FontKind.h"
#include "render/RenderDevice.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdint>
#include <vector>

struct RenderDeviceState {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    // The window's size in pixels when the device was made.
    int windowWidth = 0;
    int windowHeight = 0;
    // Where an OpenGL renderer draws (Wayland): a buffer that keeps the frame
    // between presents, as the software renderer's window surface does;
    // nullptr when drawing to the window directly.
    SDL_Texture* frame = nullptr;
    // By FontSlot.
    TTF_Font* fonts[FontCount] = {};
    // This device's hold on SDL2_ttf, which counts its users: one device
    // (of several, one a monitor) closing must not end it under the others.
    bool ttfHeld = false;
    FontDescription descriptions[FontCount] = {};
    // Copy of the last presented frame (ARGB8888 rows), kept when a snapshot was asked for.
    std::vector<uint32_t> presentedFrame;
    // The clip area set (SetClip), empty for none.
    SDL_Rect clip{};
    // A draw of this scene failed: its frame is incomplete.
    bool drawFailed = false;
};

inline SDL_Texture* SdlTexture(struct NativeTexture* texture)
{
    return reinterpret_cast<SDL_Texture*>(texture);
}

// The fonts of the four kinds, fontconfig's sans-serif (DejaVu) sized so the
// line heights are those of the Windows fonts at the overlay's scale; 0 when
// all four opened.
int OpenFonts(RenderDeviceState& state, double scale);
void CloseFonts(RenderDeviceState& state);

// The pixels the renderer shows now, as ARGB8888 rows; empty when unreadable.
std::vector<uint32_t> ReadFrame(SDL_Renderer* renderer, int width, int height);
