#pragma once
// The program's side of the saver window: creation starts the controller,
// timer messages drive it, destruction stops it. Every message ends in the
// host's DefaultSaverProc.

#include "platform/Platform.h"

MessageResult SaverWindowProc(WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam);

inline constexpr const char* InitErrorText = "Encountered some errors during initialization.\r\nApplication will be terminated!";
inline constexpr const char* InitErrorCaption = "Initialization Error";
