// The texts of the member collision notice.

#include "service/CollisionNotice.h"

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
