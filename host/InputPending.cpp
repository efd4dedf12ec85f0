// Input while the message loop is blocked: the service client asks between
// reads, so the saver closes promptly even during a slow request. What it
// finds stays queued (or is seen again by the next WM_MOUSEMOVE), and the
// loop then closes the saver the usual way.

#include "host/HostProtocol.h"

uint32_t CursorDistance(const PlatformPoint& a, const PlatformPoint& b)
{
    auto distance = [](int32_t p, int32_t q) {
        const int64_t d = static_cast<int64_t>(p) - q;
        return static_cast<uint32_t>(d < 0 ? -d : d);
    };
    return distance(a.x, b.x) + distance(a.y, b.y);
}

bool SaverInputPending(const HostState& host)
{
    if (host.closing) return true;
    const WindowHandle window = host.mainWindow;
    if (window == nullptr || host.childPreview) return false;
    if (PlatformInputQueued(window)) return true;
    PlatformPoint now;
    if (PlatformCursorPos(now) && CursorDistance(now, host.startPosition) > MouseMoveThreshold) return true;
    return host.runForArmed && static_cast<int32_t>(PlatformTickCount() - host.runForDeadline) >= 0;
}
