#pragma once
// Where the program's files lie (the folder of the module itself, or --home)
// and whether it runs as the preview (from the command line). Read once, by
// the process entry, before the mode runs.

#include "host/ProgramOptions.h"

#include <string>

// Where the options file, the dictionaries and the picture cache lie. All
// three beside the module unless the process entry chose folders of their
// own (the Linux saver's XDG folders); --home puts all three in one folder.
struct SaverFolders {
    std::string options;
    std::string dictionaries;
    std::string cache; // the images folder itself
};

struct ModeFlags {
    std::string ModuleDirectory;
    bool PreviewMode = false;
    SaverFolders separateFolders; // empty: the module directory
};

SaverFolders CurrentFolders(const ModeFlags& mode, const ProgramOptions& options);

// From the process's command line and the running module's path.
void ReadModeFlags(ModeFlags& mode, const ProgramOptions& options, const std::string& commandLine,
                   const std::string& modulePath);
