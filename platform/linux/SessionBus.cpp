#include "platform/linux/SessionBus.h"

#include <cstdlib>
#include <string>
#include <sys/stat.h>

void KeepSessionBusUnstarted()
{
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address != nullptr && *address != '\0')
        return; // the session's own bus: connecting to it starts nothing
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat info {};
    if (runtime != nullptr && *runtime == '/' && stat((std::string(runtime) + "/bus").c_str(), &info) == 0 &&
        S_ISSOCK(info.st_mode))
        return; // libdbus finds the user's bus there by itself
    // Not an address libdbus or GDBus can connect to, so neither autolaunches:
    // asking for the session bus just fails.
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
}
