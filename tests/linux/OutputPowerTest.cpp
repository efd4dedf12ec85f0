// The outputs' power as the saver reads it on Wayland (OutputPower), told by
// a compositor of the test's own: a libwayland server in a child process
// that offers outputs and wlroots' output power manager or KWin's DPMS
// manager and, as the test writes to its pipe, switches outputs off and on,
// adds and removes them, and lets a control fail. Real sockets, the
// protocols' generated code on both sides; the headless sway of the
// end-to-end tests can't switch its outputs off.

#include "platform/linux/wayland/OutputPower.h"

#include "kde-dpms-server-protocol.h"
#include "wlr-output-power-management-server-protocol.h"

#include <wayland-client.h>
#include <wayland-server.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct StandInOutput {
    wl_global* global = nullptr;
    bool on = true;
    std::vector<wl_resource*> controls;
};

enum class Offers { WlrOutputPower, KdeDpms, Neither };

struct StandIn {
    wl_display* display = nullptr;
    Offers offers = Offers::Neither;
    std::vector<StandInOutput> outputs;
};

StandIn* StandInOf(wl_resource* resource)
{
    return static_cast<StandIn*>(wl_resource_get_user_data(resource));
}

void Forget(wl_resource* control)
{
    for (auto& output : StandInOf(control)->outputs) std::erase(output.controls, control);
}

void DestroyRequest(wl_client*, wl_resource* resource)
{
    wl_resource_destroy(resource);
}

const struct zwlr_output_power_v1_interface controlRequests = {
    [](wl_client*, wl_resource*, uint32_t) {}, // set_mode: the test switches, not the client
    DestroyRequest,
};

const struct org_kde_kwin_dpms_interface dpmsRequests = {
    [](wl_client*, wl_resource*, uint32_t) {}, // set
    DestroyRequest,                            // release
};

void SendMode(const StandIn& standIn, wl_resource* control, bool on)
{
    if (standIn.offers == Offers::WlrOutputPower) {
        zwlr_output_power_v1_send_mode(control, on ? ZWLR_OUTPUT_POWER_V1_MODE_ON : ZWLR_OUTPUT_POWER_V1_MODE_OFF);
    } else {
        org_kde_kwin_dpms_send_mode(control, on ? ORG_KDE_KWIN_DPMS_MODE_ON : ORG_KDE_KWIN_DPMS_MODE_OFF);
        org_kde_kwin_dpms_send_done(control);
    }
}

void SendFailed(const StandIn& standIn, wl_resource* control)
{
    if (standIn.offers == Offers::WlrOutputPower) {
        zwlr_output_power_v1_send_failed(control);
    } else {
        org_kde_kwin_dpms_send_supported(control, 0);
        org_kde_kwin_dpms_send_done(control);
    }
}

// get_output_power of wlroots' manager, get of KWin's.
void GetControl(wl_client* client, wl_resource* manager, uint32_t id, wl_resource* output)
{
    StandIn* standIn = StandInOf(manager);
    wl_resource* control = nullptr;
    if (standIn->offers == Offers::WlrOutputPower) {
        control = wl_resource_create(client, &zwlr_output_power_v1_interface, 1, id);
        wl_resource_set_implementation(control, &controlRequests, standIn, Forget);
    } else {
        control = wl_resource_create(client, &org_kde_kwin_dpms_interface, 1, id);
        wl_resource_set_implementation(control, &dpmsRequests, standIn, Forget);
        org_kde_kwin_dpms_send_supported(control, 1);
    }
    const auto index = reinterpret_cast<uintptr_t>(wl_resource_get_user_data(output));
    standIn->outputs[index].controls.push_back(control);
    SendMode(*standIn, control, standIn->outputs[index].on);
}

const struct zwlr_output_power_manager_v1_interface managerRequests = {GetControl, DestroyRequest};
const struct org_kde_kwin_dpms_manager_interface kdeManagerRequests = {GetControl};

const struct wl_output_interface outputRequests = {DestroyRequest};

void BindManager(wl_client* client, void* data, uint32_t version, uint32_t id)
{
    wl_resource* manager = wl_resource_create(client, &zwlr_output_power_manager_v1_interface, version, id);
    wl_resource_set_implementation(manager, &managerRequests, data, nullptr);
}

void BindKdeManager(wl_client* client, void* data, uint32_t version, uint32_t id)
{
    wl_resource* manager = wl_resource_create(client, &org_kde_kwin_dpms_manager_interface, version, id);
    wl_resource_set_implementation(manager, &kdeManagerRequests, data, nullptr);
}

// An output's resource carries its index, which never changes: a removed one stays in the list, without a global.
void BindOutput(wl_client* client, void* data, uint32_t version, uint32_t id)
{
    wl_resource* output = wl_resource_create(client, &wl_output_interface, version, id);
    wl_resource_set_implementation(output, &outputRequests, data, nullptr);
}

void AddOutput(StandIn& standIn)
{
    const uintptr_t index = standIn.outputs.size();
    standIn.outputs.push_back({});
    standIn.outputs.back().global =
        wl_global_create(standIn.display, &wl_output_interface, 1, reinterpret_cast<void*>(index), BindOutput);
}

// One command a line: "off N", "on N", "fail N", "remove N", "add".
int Command(int fd, uint32_t, void* data)
{
    auto& standIn = *static_cast<StandIn*>(data);
    char buffer[256];
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got <= 0) {
        wl_display_terminate(standIn.display);
        return 0;
    }
    std::istringstream lines(std::string(buffer, static_cast<size_t>(got)));
    for (std::string word; lines >> word;) {
        size_t index = 0;
        if (word != "add") lines >> index;
        StandInOutput& output = standIn.outputs.at(word == "add" ? 0 : index);
        if (word == "add") {
            AddOutput(standIn);
        } else if (word == "remove") {
            wl_global_remove(output.global); // clients may still bind it until they heard; the display frees it
        } else if (word == "fail") {
            for (wl_resource* control : output.controls) SendFailed(standIn, control);
        } else {
            output.on = word == "on";
            for (wl_resource* control : output.controls) SendMode(standIn, control, output.on);
        }
    }
    wl_display_flush_clients(standIn.display);
    return 0;
}

// The compositor: two outputs, on, and the manager it offers.
[[noreturn]] void RunStandIn(int socket, int commands, Offers offers)
{
    StandIn standIn;
    standIn.display = wl_display_create();
    standIn.offers = offers;
    AddOutput(standIn);
    AddOutput(standIn);
    if (offers == Offers::WlrOutputPower)
        wl_global_create(standIn.display, &zwlr_output_power_manager_v1_interface, 1, &standIn, BindManager);
    if (offers == Offers::KdeDpms)
        wl_global_create(standIn.display, &org_kde_kwin_dpms_manager_interface, 1, &standIn, BindKdeManager);
    wl_event_loop_add_fd(wl_display_get_event_loop(standIn.display), commands, WL_EVENT_READABLE, Command, &standIn);
    wl_client_create(standIn.display, socket);
    wl_display_run(standIn.display);
    _exit(0);
}

class Compositor {
public:
    explicit Compositor(Offers offers)
    {
        int sockets[2], pipe[2];
        if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets) != 0 || pipe2(pipe, O_CLOEXEC) != 0) return;
        child = fork();
        if (child == 0) {
            close(sockets[0]);
            close(pipe[1]);
            RunStandIn(sockets[1], pipe[0], offers);
        }
        close(sockets[1]);
        close(pipe[0]);
        commands = pipe[1];
        display = wl_display_connect_to_fd(sockets[0]);
    }
    ~Compositor()
    {
        if (display) wl_display_disconnect(display);
        if (commands >= 0) close(commands); // the stand-in ends with its pipe
        if (child > 0) waitpid(child, nullptr, 0);
    }
    void Tell(const std::string& lines) const
    {
        ASSERT_EQ(write(commands, lines.data(), lines.size()), static_cast<ssize_t>(lines.size()));
    }

    wl_display* display = nullptr;

private:
    pid_t child = -1;
    int commands = -1;
};

bool Becomes(OutputPower& power, bool anyOn)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (AnyOutputOn(power) != anyOn) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

TEST(OutputPower, AnyOutputOnFollowsTheCompositor)
{
    // Each step turns the answer, so its news must have come.
    const struct {
        const char* told;
        bool anyOn;
    } steps[] = {
        {"off 0 off 1", false}, // every output off: nobody looks
        {"on 1", true},
        {"off 1", false},
        {"add", true},          // an output made while it runs, on
        {"off 2", false},       // and watched
        {"on 2", true},
        {"remove 2", false},    // that one gone: the rest are off
        {"fail 0", true},       // an output whose power can't be told counts as on
    };
    for (const Offers offers : {Offers::WlrOutputPower, Offers::KdeDpms}) {
        SCOPED_TRACE(offers == Offers::WlrOutputPower ? "wlroots' output power" : "KWin's DPMS");
        Compositor compositor(offers);
        ASSERT_NE(compositor.display, nullptr);
        OutputPower* power = OpenOutputPower(compositor.display);
        ASSERT_NE(power, nullptr);
        EXPECT_TRUE(AnyOutputOn(*power));
        for (const auto& step : steps) {
            compositor.Tell(std::string(step.told) + "\n");
            EXPECT_TRUE(Becomes(*power, step.anyOn)) << step.told;
        }
        CloseOutputPower(power);
    }
}

TEST(OutputPower, NoneWhereTheCompositorDoesNotOfferIt)
{
    Compositor compositor(Offers::Neither);
    ASSERT_NE(compositor.display, nullptr);
    EXPECT_EQ(OpenOutputPower(compositor.display), nullptr);
}

} // namespace
