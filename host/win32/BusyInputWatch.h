#pragma once
// Start-up's thread is busy for up to half a second at a time in steps that
// can't look for input: Direct3D makes its device (on the window's thread,
// as it must) and the first pictures are decoded. Meanwhile a thread of its
// own looks for input the way the window would see it (the cursor moved past
// the threshold, a key or button pressed) and ends the process at once, as
// the input would end the saver: start-up has nothing to save. What counts
// is BusyInputRule's: nothing while a message box is up. The cursor is
// read from the display even while the window's thread is busy; under wine
// keys are only seen once that thread reads its events again.

#include <memory>

struct SaverContext;

// The watch lasts as long as the returned object; nullptr where input must
// take the orderly way (a preview, or a password to ask first).
std::shared_ptr<void> WatchInputWhileBusy(SaverContext& context);
