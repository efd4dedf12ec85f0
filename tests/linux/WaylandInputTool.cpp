// Input for tests on a Wayland compositor that has no input devices (sway's
// headless backend): a virtual pointer and a virtual keyboard with a plain
// US keymap, as a real keyboard has (the wlroots virtual-pointer and
// virtual-keyboard protocols, whose interfaces are declared here by hand,
// since no Debian package ships their definitions).
// The devices stay while the tool runs, as a desk's keyboard and mouse do:
// a client that binds them late would miss what came before. It prints
// "ready" once they exist, then takes one command a line on stdin and
// answers "ok" once the compositor has taken it:
//   move DX DY STEPS   STEPS moves of DX, DY
//   click              the left button pressed and let go
//   key                the space bar pressed and let go

#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
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

uint32_t eventTime = 1; // milliseconds, rising as a device's clock would

// A keymap as xkbcommon makes it for a US keyboard, in a file to hand over; -1 when none.
int UsKeymap(size_t& size)
{
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    const xkb_rule_names names{"evdev", "pc105", "us", "", ""};
    xkb_keymap* keymap = context ? xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS) : nullptr;
    char* text = keymap ? xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1) : nullptr;
    int fd = -1;
    if (text) {
        size = std::strlen(text) + 1;
        fd = memfd_create("keymap", MFD_CLOEXEC);
        if (fd >= 0 && write(fd, text, size) != static_cast<ssize_t>(size)) {
            close(fd);
            fd = -1;
        }
    }
    free(text);
    xkb_keymap_unref(keymap);
    xkb_context_unref(context);
    return fd;
}

} // namespace

int main()
{
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fprintf(stderr, "wayland_input_tool: no Wayland display\n");
        return 1;
    }
    Globals globals;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, &globals);
    wl_display_roundtrip(display);
    size_t keymapSize = 0;
    const int keymap = UsKeymap(keymapSize);
    if (!globals.seat || !globals.manager || !globals.keyboardManager || keymap < 0) {
        std::fprintf(stderr, "wayland_input_tool: the compositor offers no virtual pointer and keyboard\n");
        return 1;
    }
    wl_proxy* pointer =
        wl_proxy_marshal_constructor(globals.manager, 0, &VirtualPointerInterface, globals.seat, nullptr);
    wl_proxy* keyboard =
        wl_proxy_marshal_constructor(globals.keyboardManager, 0, &VirtualKeyboardInterface, globals.seat, nullptr);
    wl_proxy_marshal(keyboard, Keymap, static_cast<uint32_t>(XKB_KEYMAP_FORMAT_TEXT_V1), keymap,
                     static_cast<uint32_t>(keymapSize));
    wl_display_roundtrip(display);
    std::cout << "ready" << std::endl;
    for (std::string line; std::getline(std::cin, line);) {
        std::istringstream words(line);
        std::string command;
        words >> command;
        if (command == "move") {
            int dx = 0, dy = 0, steps = 1;
            words >> dx >> dy >> steps;
            for (int i = 0; i < steps; ++i) {
                wl_proxy_marshal(pointer, Motion, eventTime++, wl_fixed_from_int(dx), wl_fixed_from_int(dy));
                wl_proxy_marshal(pointer, Frame);
                wl_display_roundtrip(display);
            }
        } else if (command == "click") {
            for (uint32_t state : {1u, 0u}) {
                wl_proxy_marshal(pointer, Button, eventTime++, 0x110u /* BTN_LEFT */, state);
                wl_proxy_marshal(pointer, Frame);
                wl_display_roundtrip(display);
            }
        } else if (command == "key") {
            constexpr uint32_t SpaceKey = 57; // KEY_SPACE
            for (uint32_t state : {1u, 0u}) {
                wl_proxy_marshal(keyboard, Key, eventTime++, SpaceKey, state);
                wl_display_roundtrip(display);
            }
        } else {
            std::cout << "unknown command" << std::endl;
            continue;
        }
        std::cout << "ok" << std::endl;
    }
    wl_proxy_marshal(pointer, Destroy);
    wl_proxy_destroy(pointer);
    wl_proxy_marshal(keyboard, KeyboardDestroy);
    wl_proxy_destroy(keyboard);
    for (wl_proxy* proxy : {globals.manager, globals.keyboardManager, reinterpret_cast<wl_proxy*>(globals.seat),
                            reinterpret_cast<wl_proxy*>(registry)})
        wl_proxy_destroy(proxy);
    close(keymap);
    wl_display_disconnect(display);
    return 0;
}
