#pragma once
// Where the program's files lie (the folder of the module itself, or --home)
// and whether it runs as the preview (from the command line). Read at window
// creation and when the settings dialog opens.

#include <string>

extern std::string ModuleDirectory;
extern bool PreviewMode;

// Where the options file, the dictionaries and the picture cache lie. All
// three beside the module unless the process entry chose folders of their
// own (the Linux saver's XDG folders); --home puts all three in one folder.
struct SaverFolders {
    std::string options;
    std::string dictionaries;
    std::string cache; // the images folder itself
};
extern SaverFolders separateFolders; // empty: the module directory
SaverFolders CurrentFolders();

void ReadModeFlags();

// The same rule on a given command line and module path, for the callers
// above and the tests.
void ReadModeFlagsFrom(const std::string& commandLine, const std::string& modulePath);
