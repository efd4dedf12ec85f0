#pragma once
// A render device: the screen surface, four fonts, the three
// long-lived texture handles and the kept panel textures. It carries out a
// DrawList and measures text. Direct3D 9 on Windows, SDL_Renderer on Linux;
// the native tests link a recording device with the same operations. Its
// state is its own: the platform's objects sit behind RenderDeviceState, so
// several devices (one a monitor) can live side by side.

#include "platform/Platform.h"
#include "render/DeviceRecovery.h"
#include "render/DrawList.h"
#include "render/FontKind.h"
#include "render/FrameMemory.h"
#include "render/PanelCache.h"
#include "render/TextureHandle.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// What SelectFont gives: the description the font was made from and the
// average character width the separators are measured with.
struct FontDescription {
    FontKind kind = FontKind::Text;
    int height = 0;
    int weight = 0;
    bool italic = false;
    int averageCharWidth = 0;
};

// ARGB colours of the overlay.
namespace Colour {
constexpr uint32_t Black = 0x00000000;
constexpr uint32_t White = 0xFFFFFFFF;
constexpr uint32_t Accent = 0xFFFFFF00;
constexpr uint32_t Panel = 0xA0060606;
constexpr uint32_t DensePanel = 0xF0060606;
} // namespace Colour

struct RenderDeviceState; // the platform's objects (device, fonts, buffers)
// The platform's one graphics object that every device of a saver is made
// from (Direct3D 9: its IDirect3D9, which must be the same for the devices of
// several monitors to be full screen at once). Shared by the devices made
// from it; released after the last of them.
struct DisplayAdapters;

// What a device is made with.
struct DeviceSetup {
    WindowHandle window = nullptr;
    unsigned adapter = 0; // the display adapter (Windows) or display (SDL)
    // Non-zero: a windowed device of this size instead of the full screen.
    int windowedWidth = 0;
    int windowedHeight = 0;
    // Every Present keeps a copy of the frame it shows, for a snapshot asked
    // for at the end. Without it a snapshot reads the back buffer, which after
    // a flip may hold the frame before last.
    bool keepPresentedFrame = false;
    // How much larger than at 96 dpi the overlay is drawn on this device's
    // monitor (render/OverlayScale.h; taken within its bounds).
    double overlayScale = 1.0;
    // The window that keeps the keyboard for every device of the saver
    // (Windows: the focus window); none: the device's own window.
    WindowHandle focusWindow = nullptr;
    // What the device is made from; none: the device makes its own.
    std::shared_ptr<DisplayAdapters> adapters;
};
struct PicturePrefetch;   // a picture decoding ahead of its load (Windows)

// What Create answers when the platform has no graphics library to make a
// device with at all (Direct3D 9 missing); any other failure is 1.
constexpr int NoGraphicsLibrary = -1;

class RenderDevice {
public:
    RenderDevice();
    ~RenderDevice();
    RenderDevice(const RenderDevice&) = delete;
    RenderDevice& operator=(const RenderDevice&) = delete;

    // Device life, in one order for every platform (RenderDeviceLife.cpp):
    // the surface, then a black screen, the render states and the fonts;
    // released in reverse. Create makes the surface (0 when made; a second
    // Create is refused until Release).
    int Create(const DeviceSetup& setup);
    // A black screen and the render states: enough to show a picture.
    int PrepareSurface();
    // The fonts the overlay's texts need; made once for the device.
    void PrepareFonts();
    // The overlay's scale, for a window that moved to a monitor of another
    // dpi: the fonts are made anew at it, the kept panels and texts are
    // dropped, and the next frame is drawn whole.
    void SetOverlayScale(double scale);
    double OverlayScale() const { return setup.overlayScale; }
    void Release();
    // What the device was made from, for the devices of the other monitors;
    // none before Create or where the platform has no such object.
    const std::shared_ptr<DisplayAdapters>& Adapters() const { return setup.adapters; }
    // The dots per inch of the monitor the device shows on (Windows: its
    // adapter's monitor, which the saver window, spanning every monitor, can't tell).
    int MonitorDpi() const;

    long BeginScene();
    long EndScene();
    // Shows the back buffer, or only the given area of it (the rest of the
    // screen keeps what it showed). 0 when the scene's draws and the present
    // succeeded; otherwise the screen may lack part of the frame.
    int Present(const Rect* area = nullptr);
    // Outside a scene: puts the loaded picture into the back buffer as it is,
    // where the platform can copy it at the screen's size with the pixels a
    // draw over black would give. False where it can't; then it is drawn.
    bool CopyPictureToBackBuffer();
    // Carries out the list's commands in order; within a scene they may be
    // queued until EndScene, outside one they are drawn at once.
    void Execute(const DrawList& list);
    // Writes the last presented frame as a PNG file; 0 when written.
    int SaveSnapshot(const std::string& pngPath);

    // Device loss: the device's answers are per platform, the recovery that
    // follows them is portable (render/DeviceRecovery.cpp).
    DeviceState TestCooperativeLevel();
    // Lets go of what a reset loses, resets with the same parameters and makes it again.
    DeviceState ResetDevice();
    // Present's result: a lost device draws nothing until it is recovered.
    void NotePresentResult(DeviceState result);
    // Called on every frame tick before the frame: Ok when it may be drawn
    // (after a reset, whole), else the device's state and nothing is drawn.
    DeviceState RecoverIfLost();
    bool IsLost() const { return lost; }
    bool IsCreated() const { return created; }

    // Text measuring: per platform.
    FontDescription SelectFont(FontKind kind) const;
    // Sets the rectangle's right and bottom to the text's extent.
    void MeasureText(FontKind kind, const std::string& text, Rect& rect) const;
    // Where a text box would put the text at x, y.
    Rect MeasureTextBox(const std::string& text, int x, int y, FontKind kind) const;
    // The height of that many lines of the font (the last line break adds none).
    int MeasureLines(FontKind kind, int lineCount) const;
    // Starts decoding the picture a coming LoadFile at the screen's size
    // will ask for, so that it decodes while the device is made; where
    // pictures decode at their load (Linux, the tests' device) it does nothing.
    // Input ends a wait for that decode (the load then fails, since the saver closes).
    void PrefetchPicture(const std::string& path, const DeviceSetup& setup);
    void SetInputCheck(std::function<bool()> check) { inputPending = std::move(check); }
    // Whether input ends waits for decodes now.
    bool InputCame() const { return inputPending && inputPending(); }
    // Takes the decode PrefetchPicture began, if any.
    std::shared_ptr<PicturePrefetch> TakePrefetch() { return std::move(prefetch); }
    // The panel texture of the rectangle's size, kept from frame to frame;
    // nullptr for an empty rectangle or when none can be made.
    const TextureRecord* PanelTexture(const Rect& rect);
    PanelCache& Panels() { return panelCache; }

    // The three long-lived textures, owned by the device.
    TextureHandle& Picture() { return picture; }
    const TextureHandle& Picture() const { return picture; }
    TextureHandle& Bar() { return bar; }
    const TextureHandle& Bar() const { return bar; }
    TextureHandle& Emblem() { return emblem; }
    const TextureHandle& Emblem() const { return emblem; }

    WindowHandle Window() const { return setup.window; }
    // Whether every Present keeps a copy of its frame (see DeviceSetup).
    void SetKeepPresentedFrame(bool keep) { setup.keepPresentedFrame = keep; }
    int ScreenWidth() const { return screenWidth; }
    int ScreenHeight() const { return screenHeight; }
    // What the back buffer holds.
    FrameMemory& LastFrame() { return lastFrame; }
    const FrameMemory& LastFrame() const { return lastFrame; }

    // The platform's objects, for render's own files of that platform
    // (textures, snapshot, reset); nullptr before Create.
    RenderDeviceState* NativeState() const { return state.get(); }

private:
    // The platform's steps of the device's life.
    // Makes the device on the window (sets screenWidth, screenHeight); 0 when made.
    int CreateSurface();
    bool HasSurface() const;
    // Sets the fixed pipeline states (again after a reset).
    void SetRenderStates();
    void CreateFonts();
    // What lives with the frames: queued draws, buffers, the kept frame.
    void ReleaseBuffers();
    void ReleaseFonts();
    void ReleaseSurface();

    DeviceSetup setup;
    std::unique_ptr<RenderDeviceState> state;
    TextureHandle picture{*this};
    TextureHandle bar{*this};
    TextureHandle emblem{*this};
    PanelCache panelCache;
    FrameMemory lastFrame;
    int screenWidth = 0;
    int screenHeight = 0;
    // The device is lost: nothing is drawn until it is reset, and the
    // recovery then has the next frame drawn whole (lastFrame).
    bool lost = false;
    bool created = false;
    bool fontsMade = false;
    std::function<bool()> inputPending; // empty: never
    std::shared_ptr<PicturePrefetch> prefetch;
};
