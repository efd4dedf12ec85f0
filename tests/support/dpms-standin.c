/* Stands in for libXext's DPMS calls (loaded with LD_PRELOAD), since the X
 * servers here (Xvfb, Xorg's dummy driver) have no DPMS: a server whose
 * monitors are on or off as the file named by DPMS_STANDIN_FILE says ("0"
 * off, anything else or no file on). */

#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>

#include <stdio.h>
#include <stdlib.h>

static int MonitorsOff(void)
{
    const char* path = getenv("DPMS_STANDIN_FILE");
    FILE* file = path ? fopen(path, "r") : NULL;
    int first = file ? fgetc(file) : EOF;
    if (file) fclose(file);
    return first == '0';
}

Bool DPMSQueryExtension(Display* display, int* eventBase, int* errorBase)
{
    (void)display;
    *eventBase = 0;
    *errorBase = 0;
    return True;
}

Bool DPMSCapable(Display* display)
{
    (void)display;
    return True;
}

Status DPMSInfo(Display* display, CARD16* level, BOOL* enabled)
{
    (void)display;
    *level = MonitorsOff() ? DPMSModeOff : DPMSModeOn;
    *enabled = True;
    return 1;
}
