// Drawing the member collision notice through the render device.

#include "service/CollisionNotice.h"

#include "render/RenderDevice.h"

void DrawCollisionNotice(const KeyValueStore& dictionary, int screenHeight)
{
    const int third = screenHeight / 3;
    renderDevice.BeginScene();
    // TODO(lead): once render/ has its overlay operations, draw the panel and
    // the lines here:
    //   renderDevice.DrawPanel(Rect{CollisionNoticeLeft, third - 5, CollisionNoticeWidth, third + 100},
    //                          CollisionPanelColour);
    //   int y = third;
    //   for (const NoticeLine& line : CollisionNoticeLines(dictionary))
    //       y = renderDevice.DrawTextBox(line.text, CollisionNoticeLeft, y, line.font, true,
    //                                    CollisionNoticeWidth, 0);
    (void)third;
    (void)dictionary;
    renderDevice.EndScene();
    renderDevice.Present();
}
