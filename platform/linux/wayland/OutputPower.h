#pragma once
// Whether the compositor has any output on, where it tells it: wlroots'
// output power protocol (zwlr_output_power_management_v1), else KWin's
// DPMS protocol, one control per output, outputs coming and going. It runs on the caller's
// own Wayland connection (SDL's) with an event queue of its own, so the
// caller's events stay where they are.

struct wl_display;
struct OutputPower;

// nullptr where the compositor offers neither protocol.
OutputPower* OpenOutputPower(wl_display* display);
// Takes the compositor's news without waiting: false when every output it
// told of is off. An output whose mode is not known yet counts as on.
bool AnyOutputOn(OutputPower& power);
// Before the connection closes.
void CloseOutputPower(OutputPower* power);
