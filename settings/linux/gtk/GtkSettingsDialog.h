#pragma once
// The settings dialog on GTK 3: the template's controls at their places,
// bound by control id to the open and save logic of a SettingsDialog.

#include "settings/SettingsDialog.h"

#include <string>

typedef struct _GtkWidget GtkWidget;

// Starts GTK; 1 with a message on stderr when there is no display to show on.
int StartGtk();

// Builds the dialog window and fills it from the options folder's Zembria.ini
// and the dictionaries folder, through settings, which must outlive it. The
// window is not shown yet.
GtkWidget* CreateSettingsWindow(SettingsDialog& settings, const std::string& optionsFolder,
                                const std::string& dictionaryFolder);

// The widget that plays control id in the open dialog (1 and 2 are OK and
// Cancel, as the template numbers them); nullptr for an id it has none of.
GtkWidget* SettingsControl(int id);

// Shows the window and waits until OK has saved (returns 1) or the user
// cancelled or closed it (returns 0). The window is destroyed.
int RunSettingsWindow(GtkWidget* window);

// Shows the dialog's error messages. Tests put their own function here so
// that no message waits for a user.
extern void (*SettingsMessage)(const std::string& text, const std::string& caption);
