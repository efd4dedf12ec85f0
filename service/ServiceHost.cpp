// The service host: the option, the environment, or the build's default.

#include "service/ServiceHost.h"

#include <cstdlib>

std::string ServiceHost(const std::string& optionText)
{
    if (!optionText.empty())
        return optionText;
    const char* environment = std::getenv("ZEMBRIA_SERVICE");
    if (environment != nullptr && *environment != '\0')
        return environment;
    return ZEMBRIA_SERVICE_HOST;
}
