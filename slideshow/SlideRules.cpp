#include "slideshow/SlideRules.h"

std::string LastPathComponent(const std::string& path)
{
    const size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

bool ServiceShowsSamePicture(const std::string& shownPath, const std::string& serviceName)
{
    return serviceName.empty() || LastPathComponent(shownPath) == serviceName;
}
