#pragma once
// Direct3D 9 taken from d3d9.dll at run time instead of imported, so that
// nothing loads wine's Direct3D before the saver has chosen how it runs.

#include <d3d9.h>

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
