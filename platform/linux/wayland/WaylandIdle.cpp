// The compositor's idle protocols: one notification object for the seat,
// whose idle and resumed events are queued until asked for. Both protocols'
// client code is generated from their definitions at build time.

#include "platform/linux/wayland/DesktopIdleState.h"

#include "ext-idle-notify-v1-client-protocol.h"
#include "kde-idle-client-protocol.h"

#include <wayland-client.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <deque>

#include <poll.h>

struct WaylandIdle {
    wl_display* display = nullptr;
    wl_registry* registry = nullptr;
    wl_seat* seat = nullptr;
    ext_idle_notifier_v1* notifier = nullptr;
    org_kde_kwin_idle* kdeIdle = nullptr;
    ext_idle_notification_v1* notification = nullptr;
    org_kde_kwin_idle_timeout* kdeTimeout = nullptr;
    std::deque<IdleNews> news;
};

namespace {

void Global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t)
{
    auto* idle = static_cast<WaylandIdle*>(data);
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && !idle->seat)
        idle->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    else if (std::strcmp(interface, ext_idle_notifier_v1_interface.name) == 0)
        idle->notifier =
            static_cast<ext_idle_notifier_v1*>(wl_registry_bind(registry, name, &ext_idle_notifier_v1_interface, 1));
    else if (std::strcmp(interface, org_kde_kwin_idle_interface.name) == 0)
        idle->kdeIdle = static_cast<org_kde_kwin_idle*>(wl_registry_bind(registry, name, &org_kde_kwin_idle_interface, 1));
}

void GlobalRemove(void*, wl_registry*, uint32_t) {}

const wl_registry_listener registryListener = {Global, GlobalRemove};

void Tell(void* data, IdleNews news)
{
    static_cast<WaylandIdle*>(data)->news.push_back(news);
}

const ext_idle_notification_v1_listener extListener = {
    [](void* data, ext_idle_notification_v1*) { Tell(data, IdleNews::Idle); },
    [](void* data, ext_idle_notification_v1*) { Tell(data, IdleNews::Active); },
};

const org_kde_kwin_idle_timeout_listener kdeListener = {
    [](void* data, org_kde_kwin_idle_timeout*) { Tell(data, IdleNews::Idle); },
    [](void* data, org_kde_kwin_idle_timeout*) { Tell(data, IdleNews::Active); },
};

} // namespace

WaylandIdle* OpenWaylandIdle(uint32_t idleMs, const char*& source)
{
    // Not a Wayland session (GNOME on X11 still has its idle monitor).
    if (!std::getenv("WAYLAND_DISPLAY") && !std::getenv("WAYLAND_SOCKET")) return nullptr;
    wl_display* display = wl_display_connect(nullptr);
    if (!display) return nullptr;
    auto* idle = new WaylandIdle;
    idle->display = display;
    idle->registry = wl_display_get_registry(display);
    wl_registry_add_listener(idle->registry, &registryListener, idle);
    wl_display_roundtrip(display);
    if (idle->seat && idle->notifier) {
        idle->notification = ext_idle_notifier_v1_get_idle_notification(idle->notifier, idleMs, idle->seat);
        ext_idle_notification_v1_add_listener(idle->notification, &extListener, idle);
        source = "ext-idle-notify-v1";
    } else if (idle->seat && idle->kdeIdle) {
        idle->kdeTimeout = org_kde_kwin_idle_get_idle_timeout(idle->kdeIdle, idle->seat, idleMs);
        org_kde_kwin_idle_timeout_add_listener(idle->kdeTimeout, &kdeListener, idle);
        source = "org_kde_kwin_idle";
    } else {
        CloseWaylandIdle(idle);
        return nullptr;
    }
    if (wl_display_roundtrip(display) < 0) {
        CloseWaylandIdle(idle);
        return nullptr;
    }
    return idle;
}

IdleNews WaitWaylandIdle(WaylandIdle& idle, int waitMs)
{
    if (idle.news.empty()) {
        while (wl_display_prepare_read(idle.display) != 0)
            if (wl_display_dispatch_pending(idle.display) < 0) return IdleNews::Lost;
        if (idle.news.empty()) {
            wl_display_flush(idle.display);
            pollfd watched{wl_display_get_fd(idle.display), POLLIN, 0};
            const int ready = poll(&watched, 1, waitMs);
            if (ready > 0 && (watched.revents & POLLIN)) {
                if (wl_display_read_events(idle.display) < 0) return IdleNews::Lost;
            } else {
                wl_display_cancel_read(idle.display);
                if (ready > 0) return IdleNews::Lost; // hung up
                if (ready < 0 && errno != EINTR) return IdleNews::Lost;
            }
        } else {
            wl_display_cancel_read(idle.display);
        }
        if (wl_display_dispatch_pending(idle.display) < 0) return IdleNews::Lost;
    }
    if (idle.news.empty()) return wl_display_get_error(idle.display) != 0 ? IdleNews::Lost : IdleNews::None;
    const IdleNews news = idle.news.front();
    idle.news.pop_front();
    return news;
}

void CloseWaylandIdle(WaylandIdle* idle)
{
    if (!idle) return;
    if (idle->notification) ext_idle_notification_v1_destroy(idle->notification);
    if (idle->kdeTimeout) org_kde_kwin_idle_timeout_release(idle->kdeTimeout);
    if (idle->notifier) ext_idle_notifier_v1_destroy(idle->notifier);
    if (idle->kdeIdle) org_kde_kwin_idle_destroy(idle->kdeIdle);
    if (idle->seat) wl_seat_destroy(idle->seat);
    if (idle->registry) wl_registry_destroy(idle->registry);
    wl_display_disconnect(idle->display);
    delete idle;
}
