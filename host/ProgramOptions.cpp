#include "host/ProgramOptions.h"

#include <cstdlib>
#include <vector>


namespace {

struct Word {
    size_t begin, end; // span in the tail, quotes included
    std::string text;  // quotes removed
};

// Words are runs of characters above the blank; a double quote keeps blanks
// inside the word, so --home "Z:\My Saver" works.
std::vector<Word> SplitWords(const std::string& tail)
{
    std::vector<Word> words;
    size_t i = 0;
    while (i < tail.size()) {
        if (static_cast<unsigned char>(tail[i]) <= ' ') { ++i; continue; }
        Word word{i, i, {}};
        bool quoted = false;
        while (i < tail.size() && (quoted || static_cast<unsigned char>(tail[i]) > ' ')) {
            if (tail[i] == '"') quoted = !quoted;
            else word.text += tail[i];
            ++i;
        }
        word.end = i;
        words.push_back(word);
    }
    return words;
}

bool ParsePositive(const std::string& text, int limit, int& value)
{
    if (text.empty() || text.size() > 9) return false;
    long number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        number = number * 10 + (c - '0');
    }
    if (number <= 0 || number > limit) return false;
    value = static_cast<int>(number);
    return true;
}

bool ParseSize(const std::string& text, int& width, int& height)
{
    size_t x = text.find_first_of("xX");
    if (x == std::string::npos) return false;
    return ParsePositive(text.substr(0, x), 16384, width) && ParsePositive(text.substr(x + 1), 16384, height);
}

constexpr int MaxRunForSeconds = 24 * 24 * 3600; // keeps the milliseconds in 32 bits

} // namespace

OptionsOutcome ParseProgramOptions(const std::string& tail, ProgramOptions& options, std::string& rest, std::string& error)
{
    std::vector<Word> words = SplitWords(tail);
    rest.clear();
    size_t kept = 0; // start of the tail not yet copied to rest
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i].text;
        if (word.rfind("--", 0) != 0) continue;
        size_t spanBegin = words[i].begin;
        std::string name = word;
        std::string value;
        bool hasValue = false;
        size_t equals = word.find('=');
        if (equals != std::string::npos) {
            name = word.substr(0, equals);
            value = word.substr(equals + 1);
            hasValue = true;
        }
        size_t spanEnd = words[i].end;
        if (name == "--help") return OptionsOutcome::Help;
        if (name == "--version") return OptionsOutcome::Version;
        bool known = name == "--home" || name == "--service" || name == "--run-for" || name == "--window" || name == "--snapshot";
        if (!known) {
            error = "unknown option " + name;
            return OptionsOutcome::Error;
        }
        if (!hasValue && i + 1 < words.size() && words[i + 1].text.rfind("--", 0) != 0) {
            ++i;
            value = words[i].text;
            spanEnd = words[i].end;
        }
        if (value.empty()) {
            error = "option " + name + " needs a value";
            return OptionsOutcome::Error;
        }
        if (name == "--home") options.home = value;
        else if (name == "--service") options.service = value;
        else if (name == "--snapshot") options.snapshotPath = value;
        else if (name == "--run-for") {
            if (!ParsePositive(value, MaxRunForSeconds, options.runForSeconds)) {
                error = "--run-for wants a whole number of seconds from 1 to " + std::to_string(MaxRunForSeconds) + ", not \"" + value + "\"";
                return OptionsOutcome::Error;
            }
        } else if (!ParseSize(value, options.windowWidth, options.windowHeight)) {
            error = "--window wants WIDTHxHEIGHT in pixels, both from 1 to 16384, not \"" + value + "\"";
            return OptionsOutcome::Error;
        }
        rest += tail.substr(kept, spanBegin - kept);
        kept = spanEnd;
    }
    rest += tail.substr(kept);
    return OptionsOutcome::Run;
}

void ApplyEnvironment(ProgramOptions& options)
{
    const char* home = std::getenv("ZEMBRIA_HOME");
    if (options.home.empty() && home != nullptr) options.home = home;
    const char* service = std::getenv("ZEMBRIA_SERVICE");
    if (options.service.empty() && service != nullptr) options.service = service;
}

std::string ServiceHostOption(const ProgramOptions& options)
{
    return options.service.empty() ? std::string(ZEMBRIA_SERVICE_HOST) : options.service;
}

std::string UsageText()
{
    return "Usage: Zembria.scr [options] [/s | /p HWND | /c[:HWND] | /a HWND]\r\n"
           "\r\n"
           "Modes:\r\n"
           "  /s            run the saver full screen\r\n"
           "  /p HWND       run the preview inside window HWND\r\n"
           "  /c[:HWND]     open the settings (also without any mode)\r\n"
           "  /a HWND       change the saver password (Windows 95/98/Me)\r\n"
           "\r\n"
           "Options:\r\n"
           "  --home DIR          options, dictionaries and pictures in DIR (env ZEMBRIA_HOME)\r\n"
           "  --service [https://]HOST[:PORT]\r\n"
           "                      picture service, https:// for TLS (env ZEMBRIA_SERVICE)\r\n"
           "  --run-for SECONDS   close by itself after SECONDS\r\n"
           "  --window WxH        a window of W x H pixels instead of the full screen\r\n"
           "  --snapshot FILE.png write the last frame to FILE.png when closing\r\n"
           "  --help, --version   this text, or the version\r\n";
}

std::string VersionText()
{
    return std::string("Zembria Screensaver ") + ZEMBRIA_VERSION + "\r\n";
}
