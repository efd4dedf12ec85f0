#pragma once
// Where the program's files lie (the folder of the module itself, or --home)
// and whether it runs as the preview (from the command line). Read at window
// creation and when the settings dialog opens.

#include <string>

extern std::string ModuleDirectory;
extern bool PreviewMode;

void ReadModeFlags();

// The same rule on a given command line and module path, for the callers
// above and the tests.
void ReadModeFlagsFrom(const std::string& commandLine, const std::string& modulePath);
