#include "host/ModeFlags.h"

#include "host/ProgramOptions.h"
#include "host/RunMode.h"
#include "platform/Paths.h"
#include "platform/Platform.h"

std::string ModuleDirectory;
bool PreviewMode = false;
SaverFolders separateFolders;

namespace {

std::string DirectoryOfModule(const std::string& line)
{
    // The module path ends at the first ".scr"; without one only the first
    // three characters count, as a drive root would.
    size_t at = line.find(".scr");
    std::string path = line.substr(0, at == std::string::npos ? 3 : at + 4);
    size_t slash = path.rfind('\\');
    std::string directory = slash == std::string::npos ? std::string() : path.substr(0, slash);
    std::string result;
    for (char c : directory)
        if (c != '"') result += c;
    return result;
}

} // namespace

void ReadModeFlagsFrom(const std::string& commandLine)
{
    // Preview is a matter of the arguments: a module path holding "-p" or
    // "/p" must not make the full-screen saver inert. The program's own
    // options are left out too (--home /pictures is no preview).
    std::string tail = SkipModuleName(commandLine.c_str());
    ProgramOptions ignored;
    std::string modes;
    std::string error;
    if (ParseProgramOptions(tail, ignored, modes, error) != OptionsOutcome::Run) modes = tail;
    PreviewMode = modes.find("-p") != std::string::npos || modes.find("/p") != std::string::npos;

    ModuleDirectory = DirectoryOfModule(commandLine);
    if (!programOptions.home.empty()) ModuleDirectory = programOptions.home;
}

void ReadModeFlags()
{
    ReadModeFlagsFrom(PlatformCommandLine());
}

SaverFolders CurrentFolders()
{
    if (programOptions.home.empty() && !separateFolders.options.empty()) return separateFolders;
    return {ModuleDirectory, ModuleDirectory, JoinPath(ModuleDirectory, "images")};
}
