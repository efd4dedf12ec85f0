// The busy start-up's input watch ends the saver on exactly the input the
// running saver closes on, and never while one of its message boxes waits
// for the user.

#include "host/win32/BusyInputRule.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

BusyInputLook At(int x, int y, std::vector<int> down = {}, bool boxUp = false)
{
    BusyInputLook look;
    look.cursorRead = true;
    look.cursor = PlatformPoint{x, y};
    look.boxUp = boxUp;
    for (int key : down) look.down[key] = true;
    return look;
}

TEST(BusyInputRule, ClosesOnWhatTheRunningSaverClosesOn)
{
    constexpr int Space = 0x20;
    struct Case {
        const char* what;
        std::vector<BusyInputLook> looks; // after a first look at 100,100
        bool closes;                      // at the last look, and not before
        std::vector<int> heldAtFirst = {};
    };
    const Case cases[] = {
        {"a move of 4 pixels", {At(102, 102)}, false},
        {"a move of 5 pixels", {At(103, 102)}, true},
        {"a key", {At(100, 100, {Space})}, true},
        {"the left button", {At(100, 100, {Vk::LButton})}, true},
        {"the right button", {At(100, 100, {Vk::RButton})}, true},
        {"the middle button", {At(100, 100, {Vk::MButton})}, true},
        {"the side buttons", {At(100, 100, {Vk::XButton1}), At(100, 100, {Vk::XButton2})}, false},
        {"a key held since before the watch", {At(100, 100, {Space}), At(100, 100)}, false, {Space}},
        {"a box up, with the user at it",
         {At(100, 100, {}, true), At(400, 300, {Vk::LButton}, true), At(400, 300, {Space}, true)}, false},
        {"the box gone, the cursor and keys as the user left them",
         {At(100, 100, {}, true), At(400, 300, {Space}, true), At(400, 300, {Space}), At(402, 302)}, false},
        {"then a move from there", {At(100, 100, {}, true), At(400, 300, {}, true), At(400, 300), At(405, 300)}, true},
        {"then a key", {At(100, 100, {}, true), At(400, 300), At(400, 300, {Space})}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BusyInputRule rule(PlatformPoint{100, 100}, At(100, 100, c.heldAtFirst));
        for (size_t look = 0; look < c.looks.size(); ++look) {
            const bool last = look + 1 == c.looks.size();
            EXPECT_EQ(rule.Closes(c.looks[look]), last && c.closes) << "look " << look;
        }
    }
}

} // namespace
