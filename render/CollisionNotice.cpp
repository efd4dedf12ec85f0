// The member collision notice through the render device: a red panel a
// third down the screen with the title and the three lines, each box
// starting where the one before ended.

#include "render/CollisionNotice.h"

#include "render/Overlay.h"
#include "render/OverlayLayout.h"
#include "render/RenderDevice.h"

std::vector<NoticeLine> CollisionNoticeLines(const KeyValueStore& dictionary)
{
    std::string title = " ";
    title.append(dictionary.GetString("MemberCollision", "Member Collision"));
    title.append(":\r\n");
    return {
        {title, FontKind::Heading},
        {" ", FontKind::TextBold},
        {dictionary.GetString("MemberCollisionInfo1", ".."), FontKind::TextBold},
        {dictionary.GetString("MemberCollisionInfo2", ".."), FontKind::Text},
        {dictionary.GetString("MemberCollisionInfo3", ".."), FontKind::TextBold},
    };
}

void DrawCollisionNotice(RenderDevice& device, const KeyValueStore& dictionary, int screenHeight)
{
    using namespace OverlayLayout;
    const double s = device.OverlayScale();
    DrawList list;
    list.AddPanel(CollisionNoticePanel(screenHeight, s), CollisionPanelColour);
    int y = CollisionNoticeTop(screenHeight);
    for (const NoticeLine& line : CollisionNoticeLines(dictionary))
        y = DrawTextBox(list, device, line.text, CollisionNoticeLeft(s), y, line.font, true,
                        CollisionNoticeLineWidth(s), TextFormat::TopLeft);
    device.LastFrame().valid = false; // drawn over the frame: the next one starts afresh
    device.BeginScene();
    device.Execute(list);
    device.EndScene();
    device.Present();
}
