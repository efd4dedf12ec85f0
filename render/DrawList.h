#pragma once
// What a frame draws, in drawing order: clears, clip areas, textured quads,
// panels and text boxes. Frame composition, the overlay text and the
// collision notice write it; each device carries it out in one call
// (RenderDevice::Execute) and decides nothing about what is drawn.

#include "render/FontKind.h"
#include "render/TextureHandle.h"

#include <cstdint>
#include <string>
#include <vector>

class TextureRecord;

// How a text box is laid out. The devices translate these into their own flags.
namespace TextFormat {
constexpr unsigned TopLeft = 0x0;
// Texts come from the service and the dictionaries: "&" is a character, not
// the prefix of an underlined one. Every text box draws with it.
constexpr unsigned NoPrefix = 0x1;
} // namespace TextFormat

// Glyphs (the italic ones above all) may reach a little past the box their
// text measures: devices draw them up to this far outside it, and a redrawn
// area around a text reaches as far.
constexpr int GlyphReach = 4;

// How a quad's texture is sampled: texel for pixel, or smoothly for a
// bitmap drawn larger than its own size.
enum class Sampling { Nearest, Linear };

struct DrawCommand {
    enum class Kind { Clear, Clip, Quad, Panel, Text };
    Kind kind = Kind::Clear;
    // Quads, panels and text boxes: where; clips: the area (empty: none).
    Rect rect{};
    uint32_t colour = 0;
    const TextureRecord* texture = nullptr; // quads; nullptr draws the colour alone
    FontKind font = FontKind::Text;         // text boxes
    std::string text;
    unsigned format = TextFormat::TopLeft;
    Sampling sampling = Sampling::Nearest; // quads
};

class DrawList {
public:
    // Clears the screen to black, or the clip area while one is set.
    void AddClear();
    // Limits drawing and clearing to the area; nullptr lifts the limit.
    void AddClip(const Rect* area);
    // The handle's texture stretched over rect; a handle without one draws the colour.
    void AddQuad(const TextureHandle& texture, const Rect& rect, uint32_t colour,
                 Sampling sampling = Sampling::Nearest);
    // The panel texture of the rectangle's size (kept by the device) under a text.
    void AddPanel(const Rect& rect, uint32_t colour);
    void AddText(FontKind font, const std::string& text, const Rect& rect, unsigned format, uint32_t colour);

    const std::vector<DrawCommand>& Commands() const { return commands; }
    bool Empty() const { return commands.empty(); }

private:
    std::vector<DrawCommand> commands;
};
