// The member collision notice through the render device: a red panel a
// third down the screen with the title and the three lines, each box
// starting where the one before ended.

#include "render/CollisionNotice.h"

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
    const int third = screenHeight / 3;
    device.lastFrame.valid = false; // drawn over the frame: the next one starts afresh
    device.BeginScene();
    device.DrawPanel(Rect{CollisionNoticeLeft, third - 5, CollisionNoticeWidth, third + 100}, CollisionPanelColour);
    int y = third;
    for (const NoticeLine& line : CollisionNoticeLines(dictionary))
        y = device.DrawTextBox(line.text, CollisionNoticeLeft, y, line.font, true, CollisionNoticeWidth, 0);
    device.EndScene();
    device.Present();
}
