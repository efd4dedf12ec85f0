#pragma once
// The settings dialog's banner at the monitor's DPI. The bitmap is drawn for
// 96 dpi and a static control shows it at its real size, so on a scaled
// desktop it would cover only part of the dialog, which grows with the DPI.

#include <windows.h>

// On WM_INITDIALOG: above 96 dpi the banner becomes a copy scaled smoothly by
// DPI / 96, which the dialog keeps until ReleaseBanner. At 96 dpi nothing changes.
void ScaleBanner(HWND dialog);
// On WM_DESTROY: deletes the scaled copy, if one was made.
void ReleaseBanner(HWND dialog);
