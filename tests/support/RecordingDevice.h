#pragma once
// The render device of the native tests: it carries out the draw list by
// logging every quad, panel, text, clip and clear with its rectangle, colour,
// texture and font, and measures text with fixed metrics, so overlay layouts
// can be checked exactly. It starts with the black screen every device shows.
//
// Clears, presents and clips log their rectangle (the whole screen for a
// whole clear or present, empty when a clip is lifted).
//
// Metrics: the 18 px fonts are 8 px per character and 18 px per line, the
// Heading font 14 px per character and 28 px per line, each scaled by the
// device's overlay scale (to whole pixels); a line break at the
// very end of a text adds no line, as with the D3DX fonts. Texture names in the
// log: "none", "panel WxH", "OverlayLogo <id>" or the picture's path.

#include "render/RenderDevice.h"

#include <map>
#include <string>
#include <vector>

struct DrawCall {
    enum class Kind { Quad, Text, Clear, Present, Clip };
    Kind kind = Kind::Quad;
    Rect rect{};
    uint32_t colour = 0;
    std::string texture; // quads
    FontKind font = FontKind::Text; // texts
    std::string text;
    unsigned format = 0;
    Sampling sampling = Sampling::Nearest; // quads
};

struct Recording {
    std::vector<DrawCall> calls;
    long beginSceneResult = 0; // what the next BeginScene / EndScene return
    long endSceneResult = 0;
    DeviceState presentResult = DeviceState::Ok; // what the next Present's device answers
    bool batchFails = false;   // the scene's draws fail at EndScene: Present reports the frame incomplete
    std::vector<DeviceState> cooperativeLevels; // TestCooperativeLevel's answers in turn, then Ok
    std::vector<DeviceState> resetResults;      // Reset's answers in turn, then Ok
    int cooperativeTests = 0;
    int resets = 0;
    int displayWidth = 1920;   // the display mode Create finds
    int displayHeight = 1080;
    int texturesAlive = 0;     // platform textures not yet released
    int texturesCreated = 0;
    int devicesCreated = 0;
    int decodes = 0; // picture files decoded
    Rect clip{};               // the clip area set, empty for none
    std::string prefetched;    // the path PrefetchPicture was given last
    int devicesAtPrefetch = 0; // devicesCreated when it was
    std::map<unsigned, int> adapterDpi; // each adapter's monitor; others answer the window's dpi
    std::vector<std::string> deviceLife; // "create N" and "reset N" by adapter, in order
};

// The recording every device logs to unless given one of its own;
// ResetRecording empties it and restores the defaults.
Recording& TheRecording();
void ResetRecording();
// From now on the device logs to a recording of its own (RecordingOf), so
// several devices can be told apart.
void RecordSeparately(RenderDevice& device);
Recording& RecordingOf(const RenderDevice& device);

int CharWidth(FontKind kind);
int LineHeight(FontKind kind); // both at scale 1

// The calls of one kind, in order.
std::vector<DrawCall> CallsOf(DrawCall::Kind kind);
