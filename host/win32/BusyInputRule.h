#pragma once
// What ends the saver while start-up's thread is busy (see BusyInputWatch):
// exactly the input the running saver closes on, judged from what the watch
// sees at each look. A message box of the saver's (the DirectX message, the
// device's own error) is the user's to answer: while one is up nothing
// counts, and afterwards the cursor and the keys count from where the user
// left them.

#include "platform/Platform.h"
#include "platform/win32/WindowMessages.h"

#include <array>

struct BusyInputLook {
    bool boxUp = false;       // a message box of the saver's is up
    bool cursorRead = false;
    PlatformPoint cursor;
    std::array<bool, Vk::Count> down{}; // by virtual-key code: held now
};

class BusyInputRule {
public:
    // From the cursor where the saver started; a key or button already held
    // at the first look (the click that started the saver, say) is no input.
    BusyInputRule(const PlatformPoint& start, const BusyInputLook& first);
    // Whether the input seen at this look ends the saver.
    bool Closes(const BusyInputLook& look);

private:
    PlatformPoint start;
    std::array<bool, Vk::Count> held{};
    bool afterBox = false;
};
