#pragma once
// Direct3D 9 taken from d3d9.dll at run time instead of imported, so that
// nothing loads wine's Direct3D before the saver has chosen how it runs.

#include <d3d9.h>

#include <memory>

// Under wine, Direct3D's commands run on the thread that makes them. Wine
// otherwise hands them to a thread of its own that spins for about 40 ms
// after every batch: ten times what the saver's once-a-second redraw costs.
// Must run before anything loads d3d9.dll (the DirectX check does). A
// WINE_D3D_CONFIG of the user's own is kept; on Windows nothing changes.
void PrepareDirect3d();

// Whether d3d9.dll loads from the system folder (and stays loaded).
bool Direct3d9Loads();
// Direct3DCreate9 of the installed d3d9.dll; nullptr when it can't be had.
IDirect3D9* CreateDirect3d9();

// The one IDirect3D9 of a saver (render/RenderDevice.h): every monitor's
// device is made from it, so that they may all be full screen at once.
struct DisplayAdapters {
    explicit DisplayAdapters(IDirect3D9* made) : direct3d(made) {}
    ~DisplayAdapters() { direct3d->Release(); }
    DisplayAdapters(const DisplayAdapters&) = delete;
    DisplayAdapters& operator=(const DisplayAdapters&) = delete;
    IDirect3D9* const direct3d;
};
// A new one; nullptr when Direct3D 9 can't be had.
std::shared_ptr<DisplayAdapters> OpenDisplayAdapters();
