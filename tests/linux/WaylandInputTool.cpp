// Input for tests on a Wayland compositor that has no input devices (sway's
// headless backend): a virtual pointer and a virtual keyboard with a plain
// US keymap, as a real keyboard has (the wlroots virtual-pointer and
// virtual-keyboard protocols, whose interfaces are declared here by hand,
// since no Debian package ships their definitions).
//   wayland_input_tool move DX DY [STEPS]   STEPS moves of DX, DY (default 1)
//   wayland_input_tool click                the left button pressed and let go
//   wayland_input_tool key                  the space bar pressed and let go
// Each request is a frame of its own, and the compositor has taken it before the next.

#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <sys/mman.h>
#include <unistd.h>

namespace {

extern const wl_interface VirtualPointerInterface;
extern const wl_interface VirtualKeyboardInterface;

const wl_interface* noTypes[] = {nullptr, nullptr, nullptr, nullptr, nullptr};
const wl_interface* createTypes[] = {&wl_seat_interface, &VirtualPointerInterface};
const wl_interface* createKeyboardTypes[] = {&wl_seat_interface, &VirtualKeyboardInterface};

const wl_message pointerRequests[] = {
    {"motion", "uff", noTypes},           {"motion_absolute", "uuuuu", noTypes}, {"button", "uuu", noTypes},
    {"axis", "uuf", noTypes},             {"frame", "", noTypes},                {"axis_source", "u", noTypes},
    {"axis_stop", "uu", noTypes},         {"axis_discrete", "uufi", noTypes},    {"destroy", "", noTypes},
};
enum PointerRequest { Motion = 0, Button = 2, Frame = 4, Destroy = 8 };

const wl_message managerRequests[] = {
    {"create_virtual_pointer", "?on", createTypes},
    {"destroy", "", noTypes},
};

const wl_message keyboardRequests[] = {
    {"keymap", "uhu", noTypes}, {"key", "uuu", noTypes}, {"modifiers", "uuuu", noTypes}, {"destroy", "", noTypes}};
enum KeyboardRequest { Keymap = 0, Key = 1, KeyboardDestroy = 3 };

const wl_message keyboardManagerRequests[] = {{"create_virtual_keyboard", "on", createKeyboardTypes}};

const wl_interface VirtualPointerInterface = {"zwlr_virtual_pointer_v1", 1, 9, pointerRequests, 0, nullptr};
const wl_interface ManagerInterface = {"zwlr_virtual_pointer_manager_v1", 1, 2, managerRequests, 0, nullptr};
const wl_interface VirtualKeyboardInterface = {"zwp_virtual_keyboard_v1", 1, 4, keyboardRequests, 0, nullptr};
const wl_interface KeyboardManagerInterface = {"zwp_virtual_keyboard_manager_v1", 1, 1, keyboardManagerRequests, 0,
                                               nullptr};

struct Globals {
    wl_seat* seat = nullptr;
    wl_proxy* manager = nullptr;
    wl_proxy* keyboardManager = nullptr;
};

void Global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t)
{
    auto* globals = static_cast<Globals*>(data);
    if (std::strcmp(interface, "wl_seat") == 0 && !globals->seat)
        globals->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    else if (std::strcmp(interface, ManagerInterface.name) == 0)
        globals->manager = static_cast<wl_proxy*>(wl_registry_bind(registry, name, &ManagerInterface, 1));
    else if (std::strcmp(interface, KeyboardManagerInterface.name) == 0)
        globals->keyboardManager =
            static_cast<wl_proxy*>(wl_registry_bind(registry, name, &KeyboardManagerInterface, 1));
}

void GlobalRemove(void*, wl_registry*, uint32_t) {}

const wl_registry_listener registryListener = {Global, GlobalRemove};

uint32_t time = 1;

void Disconnect(wl_display* display, wl_registry* registry, Globals& globals)
{
    for (wl_proxy* proxy : {globals.manager, globals.keyboardManager, reinterpret_cast<wl_proxy*>(globals.seat),
                            reinterpret_cast<wl_proxy*>(registry)})
        if (proxy) wl_proxy_destroy(proxy);
    wl_display_disconnect(display);
}

void Send(wl_display* display, wl_proxy* pointer)
{
    wl_proxy_marshal(pointer, Frame);
    wl_display_roundtrip(display);
}

// The space bar on a keyboard with xkbcommon's US keymap.
int PressSpace(wl_display* display, Globals& globals)
{
    if (!globals.keyboardManager) {
        std::fprintf(stderr, "wayland_input_tool: the compositor offers no virtual keyboard\n");
        return 1;
    }
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    const xkb_rule_names names{"evdev", "pc105", "us", "", ""};
    xkb_keymap* keymap = context ? xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS) : nullptr;
    char* text = keymap ? xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1) : nullptr;
    if (!text) {
        std::fprintf(stderr, "wayland_input_tool: no keymap\n");
        return 1;
    }
    const size_t size = std::strlen(text) + 1;
    const int fd = memfd_create("keymap", MFD_CLOEXEC);
    if (fd < 0 || write(fd, text, size) != static_cast<ssize_t>(size)) return 1;
    wl_proxy* keyboard =
        wl_proxy_marshal_constructor(globals.keyboardManager, 0, &VirtualKeyboardInterface, globals.seat, nullptr);
    wl_proxy_marshal(keyboard, Keymap, static_cast<uint32_t>(XKB_KEYMAP_FORMAT_TEXT_V1), fd, static_cast<uint32_t>(size));
    wl_display_roundtrip(display);
    constexpr uint32_t SpaceKey = 57; // KEY_SPACE
    for (uint32_t state : {1u, 0u}) {
        wl_proxy_marshal(keyboard, Key, time++, SpaceKey, state);
        wl_display_roundtrip(display);
    }
    wl_proxy_marshal(keyboard, KeyboardDestroy);
    wl_proxy_destroy(keyboard);
    wl_display_roundtrip(display);
    close(fd);
    free(text);
    xkb_keymap_unref(keymap);
    xkb_context_unref(context);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string action = argc > 1 ? argv[1] : "";
    if (action != "move" && action != "click" && action != "key") {
        std::fprintf(stderr, "usage: wayland_input_tool move DX DY [STEPS] | click | key\n");
        return 2;
    }
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fprintf(stderr, "wayland_input_tool: no Wayland display\n");
        return 1;
    }
    Globals globals;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, &globals);
    wl_display_roundtrip(display);
    if (action == "key") {
        const int result = PressSpace(display, globals);
        Disconnect(display, registry, globals);
        return result;
    }
    if (!globals.manager) {
        std::fprintf(stderr, "wayland_input_tool: the compositor offers no virtual pointer\n");
        Disconnect(display, registry, globals);
        return 1;
    }
    wl_proxy* pointer =
        wl_proxy_marshal_constructor(globals.manager, 0, &VirtualPointerInterface, globals.seat, nullptr);
    wl_display_roundtrip(display);
    if (action == "move" && argc >= 4) {
        const int steps = argc > 4 ? std::atoi(argv[4]) : 1;
        for (int i = 0; i < steps; ++i) {
            wl_proxy_marshal(pointer, Motion, time++, wl_fixed_from_int(std::atoi(argv[2])),
                             wl_fixed_from_int(std::atoi(argv[3])));
            Send(display, pointer);
        }
    } else if (action == "click") {
        for (uint32_t state : {1u, 0u}) {
            wl_proxy_marshal(pointer, Button, time++, 0x110u /* BTN_LEFT */, state);
            Send(display, pointer);
        }
    }
    wl_proxy_marshal(pointer, Destroy);
    wl_proxy_destroy(pointer);
    wl_display_roundtrip(display);
    Disconnect(display, registry, globals);
    return 0;
}
