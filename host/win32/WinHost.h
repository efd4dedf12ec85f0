#pragma once
// The Win32 modes of the saver module, run by RunMode.

#include "platform/Platform.h"

struct PlatformHostState;
struct SaverContext;

int DoScreenSave(SaverContext& context, WindowHandle parent);
int ShowSettingsDialog(SaverContext& context, WindowHandle parent);
void ChangePassword(WindowHandle parent);

// The Windows 95/98/Me password verifier (PASSWORD.CPL); both do nothing on the NT family.
void LoadPasswordVerifier(PlatformHostState& host);
void UnloadPasswordVerifier(PlatformHostState& host);
