#pragma once
// The saver's contract with the window that shows it. Each platform's host
// makes the window and runs the loop, and calls these as things happen; the
// saver asks for the window to close through PlatformRequestClose, and the
// host closes it its own way and then calls SaverStop.
//   start      the window is made
//   tick       a timer armed with PlatformSetTimer is due
//   input      the user touched the keyboard or the mouse, or left the saver
//   frame lost what the frames left on screen is gone (covered, exposed)
//   dpi        a window now shows on a monitor of other dots per inch
//   displays   a monitor was added or removed
//   stop       the window goes

#include "platform/Platform.h"

struct SaverContext;

#include <cstdint>

enum class SaverInput {
    Key,
    Click,
    MouseMove,
    Deactivated // another program took the focus
};

// 0 when the saver runs (or asked to close); 1 when it could not start and
// the window must go without a close.
int32_t SaverStart(SaverContext& context, WindowHandle window);
void SaverTick(SaverContext& context, WindowHandle window, uint32_t timerId);
// Whether the input closes the saver; a mouse move counts only past the threshold.
bool SaverInputCloses(SaverContext& context, SaverInput input);
void SaverFrameLost(SaverContext& context);
// The device on that window lays its overlay out for the new dots per inch.
void SaverDpiChanged(SaverContext& context, WindowHandle window, int dpi);
// The screens are made again for the monitors there are now, at the next
// frame tick (never in the middle of a frame or of start-up).
void SaverDisplaysChanged(SaverContext& context);
void SaverStop(SaverContext& context, WindowHandle window);

inline constexpr const char* InitErrorText = "Encountered some errors during initialization.\r\nApplication will be terminated!";
inline constexpr const char* InitErrorCaption = "Initialization Error";
