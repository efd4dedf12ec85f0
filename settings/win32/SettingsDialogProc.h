#pragma once
// The dialog procedure of the settings dialog (template 2003), over the open
// and save logic of a SettingsDialog.

#include "settings/SettingsDialog.h"

#include <windows.h>

// The init parameter: the dialog object (which must outlive the dialog) and
// the module directory whose files it edits.
struct SettingsDialogStart {
    SettingsDialog* settings;
    const char* directory;
};

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Shows the dialog's error messages. Tests put their own function here so
// that no message box waits for a user.
extern int(WINAPI* SettingsMessageBox)(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
