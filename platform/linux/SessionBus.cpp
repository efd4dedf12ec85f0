#include "platform/linux/SessionBus.h"

#include <cstdlib>
#include <string>

#include <sys/stat.h>

bool SessionBusKnown()
{
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address != nullptr && address[0] != '\0') return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat bus{};
    return runtime != nullptr && runtime[0] == '/' && stat((std::string(runtime) + "/bus").c_str(), &bus) == 0 &&
           S_ISSOCK(bus.st_mode);
}

void KeepToTheSessionBus()
{
    // An address no library can connect to: asking fails at once, and nothing is started.
    if (!SessionBusKnown()) setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
}
