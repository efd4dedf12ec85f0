#include "host/linux/IdleOption.h"

#include <cstdlib>

namespace {

// A whole number from low to high; false for anything else.
bool ParseCount(const std::string& text, unsigned long low, unsigned long high, uint32_t& value)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 9) return false;
    const unsigned long number = std::strtoul(text.c_str(), nullptr, 10);
    if (number < low || number > high) return false;
    value = static_cast<uint32_t>(number);
    return true;
}

} // namespace

int TakeIdleOption(std::vector<std::string>& args, uint32_t& idleSeconds, std::string& error)
{
    idleSeconds = 0;
    for (size_t i = 0; i < args.size();) {
        std::string word = args[i];
        if (word.rfind("--", 0) == 0) word.erase(0, 1);
        std::string value;
        bool given = false;
        const size_t equals = word.find('=');
        const std::string name = word.substr(0, equals);
        if (name != "-idle" && name != "-idle-seconds") {
            ++i;
            continue;
        }
        if (equals != std::string::npos) {
            value = word.substr(equals + 1);
            given = true;
            args.erase(args.begin() + static_cast<long>(i));
        } else if (i + 1 < args.size()) {
            value = args[i + 1];
            given = true;
            args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
        }
        uint32_t count = 0;
        const bool minutes = name == "-idle";
        if (!given || !ParseCount(value, 1, minutes ? 1440 : 86400, count)) {
            error = minutes ? "--idle wants a whole number of minutes from 1 to 1440"
                            : "--idle-seconds wants a whole number of seconds from 1 to 86400";
            return 1;
        }
        idleSeconds = minutes ? count * 60 : count;
    }
    return 0;
}

std::string IdleUsageText()
{
    return "Started on idle (Wayland desktops):\n"
           "  --idle MINUTES      stay in the background and run the saver full screen each time\n"
           "                      the desktop has been idle for MINUTES (1 to 1440)\n"
           "  --idle-seconds SECONDS  the same in seconds\n";
}
