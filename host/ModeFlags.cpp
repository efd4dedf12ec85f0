#include "host/ModeFlags.h"

#include "host/ProgramOptions.h"
#include "host/RunMode.h"
#include "platform/Paths.h"
#include "platform/Platform.h"

namespace {

// The folder of the module's file: everything before its last separator.
std::string DirectoryOf(const std::string& modulePath)
{
    const size_t separator = modulePath.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : modulePath.substr(0, separator);
}

} // namespace

void ReadModeFlags(ModeFlags& mode, const ProgramOptions& options, const std::string& commandLine,
                   const std::string& modulePath)
{
    // Preview is a matter of the arguments: a module path holding "-p" or
    // "/p" must not make the full-screen saver inert. The program's own
    // options are left out too (--home /pictures is no preview).
    std::string tail = SkipModuleName(commandLine.c_str());
    ProgramOptions ignored;
    std::string modes;
    std::string error;
    if (ParseProgramOptions(tail, ignored, modes, error) != OptionsOutcome::Run) modes = tail;
    mode.PreviewMode = modes.find("-p") != std::string::npos || modes.find("/p") != std::string::npos;

    // The module's own path, not the command line's spelling of it: the
    // desktop may start us as C:\WINDOWS\SYSTEM32\ZEMBRIA.SCR or a short name.
    // Absolute, so the cache never lands in the current directory.
    mode.ModuleDirectory = PlatformFullPath(options.home.empty() ? DirectoryOf(modulePath) : options.home);
}

SaverFolders CurrentFolders(const ModeFlags& mode, const ProgramOptions& options)
{
    // The dictionaries always have a folder; options or cache may have none (no home).
    if (options.home.empty() && !mode.separateFolders.dictionaries.empty()) return mode.separateFolders;
    return {mode.ModuleDirectory, mode.ModuleDirectory, JoinPath(mode.ModuleDirectory, "images")};
}
