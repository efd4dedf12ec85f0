#pragma once
// The program's own reading of the command line: where its files lie and
// whether it runs as the preview. Read at window creation and when the
// settings dialog opens.

#include <string>

extern std::string ModuleDirectory;
extern bool PreviewMode;

void ReadModeFlags();

// The same rule on a given command line, for the callers above and the tests.
void ReadModeFlagsFrom(const std::string& commandLine);
