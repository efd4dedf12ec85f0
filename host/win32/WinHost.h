#pragma once
// The Win32 modes of the saver module, run by RunMode.

#include "platform/Platform.h"

int DoScreenSave(WindowHandle parent);
int ShowSettingsDialog(WindowHandle parent);
void ChangePassword(WindowHandle parent);

// The Windows 95/98/Me password verifier (PASSWORD.CPL); both do nothing on the NT family.
void LoadPasswordVerifier();
void UnloadPasswordVerifier();
