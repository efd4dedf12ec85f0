#include "host/RunMode.h"

namespace {

bool AtOrBelowBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

const char* SkipBlanks(const char* text)
{
    while (*text == ' ') ++text;
    return text;
}

WindowHandle AsHandle(uint32_t value) { return reinterpret_cast<WindowHandle>(static_cast<uintptr_t>(value)); }

// A handle given on the command line, or the foreground window when it names none.
WindowHandle OwnerOrForeground(const char* text)
{
    WindowHandle owner = AsHandle(ParseWindowHandle(text));
    if (owner == nullptr || !PlatformIsWindow(owner)) owner = PlatformForegroundWindow();
    return owner;
}

} // namespace

const char* SkipModuleName(const char* commandLine)
{
    const char* p = commandLine;
    if (*p == '"') {
        ++p;
        while (*p != '\0' && *p != '"') ++p;
        if (*p == '"') ++p;
    } else {
        while (*p != '\0' && !AtOrBelowBlank(*p)) ++p;
    }
    while (*p != '\0' && AtOrBelowBlank(*p)) ++p;
    return p;
}

uint32_t ParseWindowHandle(const char* text)
{
    uint32_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) value = value * 10u + static_cast<uint32_t>(*text - '0');
    return value;
}

ModeChoice ChooseMode(const char* tail, bool passwordModeExists)
{
    for (const char* p = tail;; ++p) {
        switch (*p) {
        case '\0':
            return {LaunchMode::Settings, nullptr};
        case ' ':
        case '-':
        case '/':
            continue;
        case 'S':
        case 's':
            return {LaunchMode::FullScreen, nullptr};
        case 'P':
        case 'p':
        case 'L':
        case 'l': {
            WindowHandle parent = AsHandle(ParseWindowHandle(SkipBlanks(p + 1)));
            if (parent == nullptr || !PlatformIsWindow(parent)) return {LaunchMode::Invalid, nullptr};
            return {LaunchMode::Preview, parent};
        }
        case 'C':
        case 'c':
            // Only "/c:HWND" names the owner; "/c HWND" is answered with the foreground window.
            return {LaunchMode::Settings, OwnerOrForeground(p[1] == ':' ? p + 2 : "")};
        case 'A':
        case 'a':
            if (!passwordModeExists) return {LaunchMode::Invalid, nullptr};
            return {LaunchMode::Password, OwnerOrForeground(SkipBlanks(p + 1))};
        default:
            return {LaunchMode::Invalid, nullptr};
        }
    }
}
