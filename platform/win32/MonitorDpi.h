#pragma once
// The DPI of a monitor, which the overlay's scale follows (a window follows a
// change of it through PlatformFollowDpiChange, WindowMessages.h). The saver
// is per-monitor DPI aware (its manifest), so this answers in real pixels
// per inch, not the system's.

#include <windows.h>

// GetDpiForMonitor of shcore.dll, which Windows 7 lacks; the type is an int
// since MONITOR_DPI_TYPE is declared only for Windows 8.1 and later.
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR monitor, int type, UINT* dpiX, UINT* dpiY);

// The monitor's effective DPI (what the user's scaling makes of it):
// GetDpiForMonitor of shcore.dll loaded from the system folder, else the
// screen's LOGPIXELSY (the system DPI); 96 when neither answers.
int MonitorDpi(HMONITOR monitor);
// The same with the query given, nullptr as on a system without it.
int MonitorDpi(HMONITOR monitor, GetDpiForMonitorFunction query);
