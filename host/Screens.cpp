#include "host/Screens.h"

std::vector<RenderDevice*> Screens::Devices()
{
    std::vector<RenderDevice*> all{&First()};
    for (size_t i = 1; i < entries.size(); ++i)
        if (entries[i].device.IsCreated()) all.push_back(&entries[i].device);
    return all;
}

std::vector<WindowHandle> Screens::FurtherWindows() const
{
    std::vector<WindowHandle> windows;
    for (size_t i = 1; i < entries.size(); ++i) windows.push_back(entries[i].place.setup.window);
    return windows;
}

int Screens::MakeFirst(const DeviceSetup& setup)
{
    entries.front().place.setup = setup;
    // Made again, the first device makes a new Direct3D object: one knows
    // only the adapters there were when it was made.
    entries.front().place.setup.adapters.reset();
    return First().Create(setup);
}

int Screens::RemakeFirst()
{
    First().Release();
    const int made = First().Create(entries.front().place.setup);
    return made == 0 ? First().PrepareSurface() : made;
}

void Screens::MakeFurther(const std::vector<FurtherScreen>& places, const std::function<double(int)>& scaleAt,
                          const std::function<bool()>& inputPending)
{
    for (const FurtherScreen& place : places) {
        Entry& entry = entries.emplace_back();
        entry.place = place;
        RenderDevice& device = entry.device;
        device.SetInputCheck(inputPending);
        DeviceSetup setup = place.setup;
        setup.adapters = First().Adapters();
        setup.focusWindow = First().Window();
        int made = device.Create(setup);
        if (made != 0 && place.width > 0 && place.height > 0) {
            DeviceSetup windowed = setup;
            windowed.windowedWidth = place.width;
            windowed.windowedHeight = place.height;
            made = device.Create(windowed);
        }
        if (made == 0) {
            device.SetOverlayScale(scaleAt(device.MonitorDpi()));
            made = device.PrepareSurface();
        }
        if (made != 0) device.Release(); // its window stays, black
    }
    std::vector<RenderDevice*> made = Devices();
    if (made.size() < 2) return;
    made.pop_back();
    for (RenderDevice* earlier : made) {
        if (earlier->ResetDevice() == DeviceState::Ok) earlier->PrepareSurface();
        earlier->LastFrame().valid = false;
    }
}

void Screens::ReleaseFurther()
{
    while (entries.size() > 1) {
        entries.back().device.Release();
        entries.pop_back();
    }
}

void Screens::Release()
{
    ReleaseFurther();
    First().Release();
}
