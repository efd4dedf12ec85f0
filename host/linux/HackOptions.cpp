#include "host/linux/HackOptions.h"

#include "render/OverlayScale.h"
#include "settings/RefreshRate.h"

#include <charconv>
#include <cmath>
#include <filesystem>

namespace {

// A switch sets its key to a fixed value; a valued option reads the next
// word (or the text after "=") through its own rule.
struct HackOption {
    const char* name;  // without dashes
    const char* key;   // the Zembria.ini key it overrides; nullptr: --scale
    const char* fixed; // the switch's value; nullptr: the option takes a value
};

constexpr HackOption hackOptions[] = {
    {"language", "Language", nullptr},
    {"clock-zembrian", "ShowZembrianTime", "yes"},
    {"no-clock-zembrian", "ShowZembrianTime", "no"},
    {"clock-local", "ShowLocalTime", "yes"},
    {"no-clock-local", "ShowLocalTime", "no"},
    {"info", "ShowAllInfos", "yes"},
    {"no-info", "ShowAllInfos", "no"},
    {"interval", "RefreshRate", nullptr},
    {"offline", "offline", "true"},
    {"metered-downloads", "MeteredDownloads", "yes"},
    {"cache", "ImagePath", nullptr},
    {"scale", nullptr, nullptr}, // no file key: the overlay's scale
};

const HackOption* FindHackOption(const std::string& name)
{
    for (const HackOption& option : hackOptions)
        if (name == option.name) return &option;
    return nullptr;
}

std::string IntervalChoices()
{
    std::string choices;
    for (int index = 0; index < RefreshIntervalCount; ++index)
        choices += (index ? ", " : "") + std::to_string(RefreshSecondsOfIndex(index));
    return choices;
}

// "1.5" and the like, within the overlay's bounds; 0 with error set for anything else.
double ScaleFor(const std::string& text, std::string& error)
{
    double scale = 0;
    const char* end = text.data() + text.size();
    const auto [stop, problem] = std::from_chars(text.data(), end, scale);
    if (problem == std::errc() && stop == end && std::isfinite(scale) && scale >= MinOverlayScale &&
        scale <= MaxOverlayScale)
        return scale;
    error = "--scale wants a factor from 1 to 4 (1.5 for 150 %), not \"" + text + "\"";
    return 0;
}

// The file's value for a valued option, or empty with error set.
std::string ValueFor(const std::string& key, const std::string& text, std::string& error)
{
    if (key == "Language") {
        if (text == "de") return "0";
        if (text == "en") return "1";
        error = "--language wants de or en, not \"" + text + "\"";
        return {};
    }
    if (key == "RefreshRate") {
        for (int index = 0; index < RefreshIntervalCount; ++index)
            if (text == std::to_string(RefreshSecondsOfIndex(index))) return std::to_string(index);
        error = "--interval wants one of " + IntervalChoices() + " seconds, not \"" + text + "\"";
        return {};
    }
    // The cache folder: absolute only; a relative one would depend on the
    // folder the saver happens to start in.
    if (text.empty() || text[0] != '/') {
        error = "--cache wants an absolute folder, not \"" + text + "\"";
        return {};
    }
    return std::filesystem::path(text).lexically_normal().string();
}

} // namespace

int TakeHackOptions(std::vector<std::string>& args, ProgramOptions& options, std::string& error)
{
    std::vector<std::string> rest;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        const size_t dashes = word.rfind("--", 0) == 0 ? 2 : word.rfind('-', 0) == 0 ? 1 : 0;
        std::string name = word.substr(dashes);
        std::string value;
        const size_t equals = name.find('=');
        const bool joined = dashes == 2 && equals != std::string::npos;
        if (joined) {
            value = name.substr(equals + 1);
            name.erase(equals);
        }
        const HackOption* option = dashes ? FindHackOption(name) : nullptr;
        if (option == nullptr) {
            rest.push_back(word);
            continue;
        }
        if (option->fixed != nullptr) {
            if (joined) {
                error = "--" + name + " takes no value";
                return 1;
            }
            options.overrides.emplace_back(option->key, option->fixed);
            continue;
        }
        if (!joined) {
            if (i + 1 >= args.size()) {
                error = "--" + name + " needs a value";
                return 1;
            }
            value = args[++i];
        }
        if (option->key == nullptr) {
            options.overlayScale = ScaleFor(value, error);
            if (options.overlayScale == 0) return 1;
            continue;
        }
        std::string fileValue = ValueFor(option->key, value, error);
        if (fileValue.empty()) return 1;
        options.overrides.emplace_back(option->key, fileValue);
    }
    args = rest;
    return 0;
}

std::string HackUsageText()
{
    return "Settings for this run (one dash or two; Zembria.ini stays as it is):\n"
           "  --language de|en    texts and service language: German or English\n"
           "  --clock-zembrian, --no-clock-zembrian   show or hide the Zembrian time\n"
           "  --clock-local, --no-clock-local         show or hide the local time\n"
           "  --info, --no-info   show or hide the picture information table\n"
           "  --interval SECONDS  time between pictures: " + IntervalChoices() + "\n"
           "  --offline           show the cached pictures only, never ask the service\n"
           "  --metered-downloads download pictures on a metered connection and in energy saver too\n"
           "  --cache DIR         keep the picture cache in DIR (absolute; empty or the saver's own)\n"
           "  --scale FACTOR      the overlay FACTOR times as large, 1 to 4 (default: the display's\n"
           "                      Xft.dpi / 96 to the nearest quarter)\n";
}
