#pragma once
// The dots per inch the X display's user asked for: the Xft.dpi resource
// (what GTK, Qt and xscreensaver's own settings read on X11).

// Xft.dpi of $DISPLAY, rounded to whole dots; 0 when the display can't be
// opened or sets none.
int PlatformDisplayDpi();
