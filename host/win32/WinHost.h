#pragma once
// The Win32 modes of the saver module, run by RunMode.

#include "platform/Platform.h"

struct PlatformHostState;
struct SaverContext;

int DoScreenSave(SaverContext& context, WindowHandle parent);
int ShowSettingsDialog(SaverContext& context, WindowHandle parent);
void ChangePassword(WindowHandle parent);

// Starts the DirectX check's library probe ahead of the full-screen saver
// window, so that Direct3D loads while the window is made; the check itself
// takes it up. Libraries that pass also give the saver's one Direct3D object,
// which takes wine the better part of a second to make.
void StartLibraryProbe(SaverContext& context);

// The Windows 95/98/Me password verifier (PASSWORD.CPL); both do nothing on the NT family.
void LoadPasswordVerifier(PlatformHostState& host);
void UnloadPasswordVerifier(PlatformHostState& host);
