#pragma once
// The saver window's procedures on Windows, in the order a message passes
// them: the host's (cursor, system commands, the preview's help), the
// program's (onto the saver contract), then the default screen-saver
// procedure (closing on input and power events, the password check on the
// Windows 95/98/Me family).

#include "platform/win32/WindowMessages.h"

struct HostState;
struct SaverContext;

MessageResult HostWindowProc(SaverContext& context, WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam);
MessageResult SaverWindowProc(SaverContext& context, WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam);
MessageResult DefaultSaverProc(SaverContext& context, WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam);
bool VerifyPassword(SaverContext& context, WindowHandle window);

// WM_POWERBROADCAST: whether the event closes the saver; a power status
// change compares with and updates the recorded AC line status. A power
// setting's event never closes it: the saver asked for it.
bool PowerEventCloses(HostState& host, MessageParam event, MessageData data);
