// Stand-ins for the controller's operations of later issues, doing the least
// that keeps the saver running as a black window. Each names the issue that
// completes it; the whole file goes when they have landed.

#include "host/SaverApp.h"

// Completed by the picture cache issue: creates or expires the cache and fills pictureList.
void SaverApp::PrepareCache()
{
}

// Completed by the slide show issue. What the lifecycle relies on: the
// pending change is taken, the interval restarts and the slide timer is re-armed.
void SaverApp::AdvanceSlide()
{
    advancePending = false;
    advancing = true;
    PlatformKillTimer(window, SlideTimerId);
    lastAdvanceTime = PlatformNow();
    slideTimer = PlatformSetTimer(window, SlideTimerId, SlidePeriodMs());
    advancing = false;
}
