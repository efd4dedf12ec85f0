#pragma once
// Every monitor the saver shows on: a window and the device made on it (the
// device keeps its overlay scale and what its back buffer holds). The first
// entry is the saver window's monitor, the primary one; the others follow in
// the platform's order. Devices are made and released only here.

#include "render/RenderDevice.h"

#include <deque>
#include <functional>
#include <vector>

// Where a monitor's device goes: its window and adapter, and the monitor's
// size for a windowed device where full screen is refused.
struct FurtherScreen {
    DeviceSetup setup;
    int width = 0;
    int height = 0;
};

class Screens {
public:
    Screens() : entries(1) {}
    Screens(const Screens&) = delete;
    Screens& operator=(const Screens&) = delete;

    RenderDevice& First() { return entries.front().device; }
    const RenderDevice& First() const { return entries.front().device; }
    // Every monitor's device that was made, the first monitor's first.
    std::vector<RenderDevice*> Devices();
    // The further monitors' windows, made device or not, for the platform that opened them.
    std::vector<WindowHandle> FurtherWindows() const;
    // What downloads ask the service for: the primary monitor's size.
    Rect DownloadArea() const { return {0, 0, First().ScreenWidth(), First().ScreenHeight()}; }

    // The saver window's device (remembered, so the screens can be made again).
    int MakeFirst(const DeviceSetup& setup);
    // A device on each monitor beyond the first, made from the first one's
    // graphics object with the saver window as focus window: full screen, or
    // windowed on the monitor's window where refused. A monitor whose device
    // can't be made stays black (nothing of the attempt is kept). Making a device takes the surfaces of those
    // made before it (Direct3D 9 with several monitors), so once the last is
    // made the earlier ones are reset, in the order they were made.
    // scaleAt gives the overlay scale for a monitor's dots per inch.
    void MakeFurther(const std::vector<FurtherScreen>& places, const std::function<double(int)>& scaleAt,
                     const std::function<bool()>& inputPending);
    // The devices go the other way round, the last made first; the first
    // monitor's entry stays (unmade) and can be made again.
    void ReleaseFurther();
    void Release();
    // The first monitor's device made again as MakeFirst made it.
    int RemakeFirst();

private:
    struct Entry {
        FurtherScreen place;
        RenderDevice device;
    };
    std::deque<Entry> entries; // a deque: devices stay where they are as monitors come and go
};
