#pragma once
// The notice shown when the service reports that the member is already
// active elsewhere: a red panel with a title and three lines, drawn at once,
// outside the frame routine.

#include "render/FontKind.h"
#include "settings/KeyValueStore.h"

#include <string>
#include <vector>

class RenderDevice;

struct NoticeLine {
    std::string text;
    FontKind font;
};

constexpr unsigned CollisionPanelColour = 0xA0FF0000;

// The title and the lines of the notice in the dictionary's language.
std::vector<NoticeLine> CollisionNoticeLines(const KeyValueStore& dictionary);

// Draws and presents the notice a third down a screen of the given height.
void DrawCollisionNotice(RenderDevice& device, const KeyValueStore& dictionary, int screenHeight);
