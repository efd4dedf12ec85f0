#include "host/win32/BusyInputRule.h"

#include "host/HostProtocol.h"

namespace {

// The running saver ignores the side buttons (WM_XBUTTONDOWN).
bool Counts(int key)
{
    return key != Vk::XButton1 && key != Vk::XButton2;
}

} // namespace

BusyInputRule::BusyInputRule(const PlatformPoint& start, const BusyInputLook& first) : start(start), held(first.down)
{
}

bool BusyInputRule::Closes(const BusyInputLook& look)
{
    if (look.boxUp) {
        afterBox = true;
        return false;
    }
    if (afterBox) {
        afterBox = false;
        if (look.cursorRead) start = look.cursor;
        held = look.down;
        return false;
    }
    if (look.cursorRead && CursorDistance(look.cursor, start) > MouseMoveThreshold) return true;
    bool pressed = false;
    for (int key = 1; key < Vk::Count; ++key)
        pressed = pressed || (look.down[key] && !held[key] && Counts(key));
    held = look.down;
    return pressed;
}
