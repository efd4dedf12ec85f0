#pragma once
// The dialog procedure of the settings dialog (template 2003), over the open
// and save logic of settingsDialog.

#include <windows.h>

// The init parameter may name the module directory to edit; 0 takes the
// saver's own (ModuleDirectory, after ReadModeFlags).
INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Shows the dialog's error messages. Tests put their own function here so
// that no message box waits for a user.
extern int(WINAPI* SettingsMessageBox)(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
