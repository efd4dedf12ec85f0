#include "render/DrawList.h"

#include "render/TextureRecord.h"

void DrawList::AddClear()
{
    commands.push_back(DrawCommand{DrawCommand::Kind::Clear});
}

void DrawList::AddClip(const Rect* area)
{
    commands.push_back(DrawCommand{DrawCommand::Kind::Clip, area ? *area : Rect{}});
}

void DrawList::AddQuad(const TextureHandle& texture, const Rect& rect, uint32_t colour, Sampling sampling)
{
    const TextureRecord* record = texture.Record() && texture.Record()->texture ? texture.Record() : nullptr;
    DrawCommand command{DrawCommand::Kind::Quad, rect, colour, record};
    command.sampling = sampling;
    commands.push_back(command);
}

void DrawList::AddPanel(const Rect& rect, uint32_t colour)
{
    commands.push_back(DrawCommand{DrawCommand::Kind::Panel, rect, colour});
}

void DrawList::AddText(FontKind font, const std::string& text, const Rect& rect, unsigned format, uint32_t colour)
{
    commands.push_back(DrawCommand{DrawCommand::Kind::Text, rect, colour, nullptr, font, text, format});
}
