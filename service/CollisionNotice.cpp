// Drawing the member collision notice through the render device: a red
// panel a third down the screen with the title and the three lines, each
// box starting where the one before ended.

#include "service/CollisionNotice.h"

#include "render/RenderDevice.h"

void DrawCollisionNotice(const KeyValueStore& dictionary, int screenHeight)
{
    const int third = screenHeight / 3;
    renderDevice.BeginScene();
    renderDevice.DrawPanel(Rect{CollisionNoticeLeft, third - 5, CollisionNoticeWidth, third + 100},
                           CollisionPanelColour);
    int y = third;
    for (const NoticeLine& line : CollisionNoticeLines(dictionary))
        y = renderDevice.DrawTextBox(line.text, CollisionNoticeLeft, y, line.font, true, CollisionNoticeWidth, 0);
    renderDevice.EndScene();
    renderDevice.Present();
}
