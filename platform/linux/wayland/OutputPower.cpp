// Both protocols' client code is generated from their definitions at
// build time: wlroots' (protocols/) and KWin's DPMS (org_kde_kwin_dpms,
// plasma-wayland-protocols), which KDE Plasma offers instead.

#include "platform/linux/wayland/OutputPower.h"

#include "kde-dpms-client-protocol.h"
#include "wlr-output-power-management-client-protocol.h"

#include <wayland-client.h>

#include <cstring>
#include <memory>
#include <vector>

#include <poll.h>

namespace {

struct Output {
    uint32_t global = 0; // the registry's name
    wl_output* output = nullptr;
    zwlr_output_power_v1* control = nullptr;
    org_kde_kwin_dpms* dpms = nullptr;
    bool on = true;
};

void Release(Output& output)
{
    if (output.control) zwlr_output_power_v1_destroy(output.control);
    if (output.dpms) org_kde_kwin_dpms_release(output.dpms);
    output.dpms = nullptr;
    if (output.output) wl_output_destroy(output.output);
    output.control = nullptr;
    output.output = nullptr;
}

} // namespace

struct OutputPower {
    wl_display* display = nullptr;
    wl_event_queue* queue = nullptr;
    wl_display* wrapper = nullptr; // the display on our queue
    wl_registry* registry = nullptr;
    zwlr_output_power_manager_v1* manager = nullptr;
    org_kde_kwin_dpms_manager* kdeManager = nullptr;
    std::vector<std::unique_ptr<Output>> outputs;
    bool failed = false; // the connection broke: nothing more will be told
};

namespace {

void Mode(void* data, zwlr_output_power_v1*, uint32_t mode)
{
    static_cast<Output*>(data)->on = mode != ZWLR_OUTPUT_POWER_V1_MODE_OFF;
}

// The output can't tell (another client controls it, or it is gone): it counts as on.
void Failed(void* data, zwlr_output_power_v1*)
{
    auto* output = static_cast<Output*>(data);
    zwlr_output_power_v1_destroy(output->control);
    output->control = nullptr;
    output->on = true;
}

const zwlr_output_power_v1_listener controlListener = {Mode, Failed};

// KWin: on, standby, suspend, off; an output without DPMS counts as on.
const org_kde_kwin_dpms_listener dpmsListener = {
    [](void* data, org_kde_kwin_dpms*, uint32_t supported) {
        if (!supported) static_cast<Output*>(data)->on = true;
    },
    [](void* data, org_kde_kwin_dpms*, uint32_t mode) {
        static_cast<Output*>(data)->on = mode == ORG_KDE_KWIN_DPMS_MODE_ON;
    },
    [](void*, org_kde_kwin_dpms*) {},
};

void Watch(OutputPower& power, Output& output)
{
    if (output.control || output.dpms) return;
    if (power.manager) {
        output.control = zwlr_output_power_manager_v1_get_output_power(power.manager, output.output);
        zwlr_output_power_v1_add_listener(output.control, &controlListener, &output);
    } else if (power.kdeManager) {
        output.dpms = org_kde_kwin_dpms_manager_get(power.kdeManager, output.output);
        org_kde_kwin_dpms_add_listener(output.dpms, &dpmsListener, &output);
    }
}

void Global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t)
{
    auto* power = static_cast<OutputPower*>(data);
    if (std::strcmp(interface, wl_output_interface.name) == 0) {
        auto output = std::make_unique<Output>();
        output->global = name;
        output->output = static_cast<wl_output*>(wl_registry_bind(registry, name, &wl_output_interface, 1));
        Watch(*power, *output);
        power->outputs.push_back(std::move(output));
    } else if (std::strcmp(interface, zwlr_output_power_manager_v1_interface.name) == 0 && !power->manager) {
        power->manager = static_cast<zwlr_output_power_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_output_power_manager_v1_interface, 1));
        for (auto& output : power->outputs) Watch(*power, *output);
    } else if (std::strcmp(interface, org_kde_kwin_dpms_manager_interface.name) == 0 && !power->kdeManager) {
        power->kdeManager = static_cast<org_kde_kwin_dpms_manager*>(
            wl_registry_bind(registry, name, &org_kde_kwin_dpms_manager_interface, 1));
        for (auto& output : power->outputs) Watch(*power, *output);
    }
}

void GlobalRemove(void* data, wl_registry*, uint32_t name)
{
    auto* power = static_cast<OutputPower*>(data);
    for (auto each = power->outputs.begin(); each != power->outputs.end(); ++each) {
        if ((*each)->global != name) continue;
        Release(**each);
        power->outputs.erase(each);
        return;
    }
}

const wl_registry_listener registryListener = {Global, GlobalRemove};

// Reads what the socket holds for any queue, without waiting, and handles ours.
bool TakeNews(OutputPower& power)
{
    while (wl_display_prepare_read_queue(power.display, power.queue) != 0)
        if (wl_display_dispatch_queue_pending(power.display, power.queue) < 0) return false;
    wl_display_flush(power.display);
    pollfd socket{wl_display_get_fd(power.display), POLLIN, 0};
    if (poll(&socket, 1, 0) > 0 && (socket.revents & POLLIN)) {
        if (wl_display_read_events(power.display) < 0) return false;
    } else {
        wl_display_cancel_read(power.display);
    }
    return wl_display_dispatch_queue_pending(power.display, power.queue) >= 0;
}

} // namespace

OutputPower* OpenOutputPower(wl_display* display)
{
    auto* power = new OutputPower;
    power->display = display;
    power->queue = wl_display_create_queue(display);
    power->wrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(power->wrapper), power->queue);
    power->registry = wl_display_get_registry(power->wrapper);
    wl_registry_add_listener(power->registry, &registryListener, power);
    // The globals, then each output's mode.
    if (wl_display_roundtrip_queue(display, power->queue) < 0 || (!power->manager && !power->kdeManager) ||
        wl_display_roundtrip_queue(display, power->queue) < 0) {
        CloseOutputPower(power);
        return nullptr;
    }
    return power;
}

bool AnyOutputOn(OutputPower& power)
{
    if (!power.failed && !TakeNews(power)) power.failed = true;
    if (power.failed || power.outputs.empty()) return true;
    for (const auto& output : power.outputs)
        if (output->on) return true;
    return false;
}

void CloseOutputPower(OutputPower* power)
{
    if (!power) return;
    for (auto& output : power->outputs) Release(*output);
    if (power->manager) zwlr_output_power_manager_v1_destroy(power->manager);
    if (power->kdeManager) org_kde_kwin_dpms_manager_destroy(power->kdeManager);
    if (power->registry) wl_registry_destroy(power->registry);
    wl_proxy_wrapper_destroy(power->wrapper);
    wl_event_queue_destroy(power->queue);
    delete power;
}
