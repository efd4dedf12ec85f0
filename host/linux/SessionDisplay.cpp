#include "host/linux/SessionDisplay.h"

#include <cstdlib>

#include <sys/stat.h>

namespace {

std::string Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

bool SessionDisplayThere(std::string& missing)
{
    if (!Variable("WAYLAND_SOCKET").empty()) return true;
    const std::string display = Variable("WAYLAND_DISPLAY");
    if (display.empty()) {
        if (!Variable("DISPLAY").empty()) return true;
        missing = "WAYLAND_DISPLAY and DISPLAY are unset";
        return false;
    }
    // Where libwayland looks: an absolute name as it is, else in the runtime folder.
    const std::string socket = display[0] == '/' ? display : Variable("XDG_RUNTIME_DIR") + "/" + display;
    struct stat info {};
    if (stat(socket.c_str(), &info) == 0 && S_ISSOCK(info.st_mode)) return true;
    missing = "no Wayland socket " + socket;
    return false;
}
