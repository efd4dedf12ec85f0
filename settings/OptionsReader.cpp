// Reads key/value text files: one entry per line, "key = value", with
// comments and section headers ignored.

#include "settings/OptionsFile.h"

#include <cstdio>
#include <memory>

namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// One line without its line end. The entry rules: the first word is the key,
// the next word must be "=", and the value follows the one character that
// ends the "=": tabs and "#" are skipped, then it runs to the next tab or "#".
// Blanks are part of the value, so "key =  x" reads " x".
void ParseLine(std::string_view line, KeyValueList& list)
{
    // The texts are handed on as C strings, so a NUL ends what is usable.
    line = line.substr(0, line.find('\0'));

    size_t i = 0;
    while (i < line.size() && IsBlank(line[i])) {
        ++i;
    }
    const size_t keyStart = i;
    while (i < line.size() && !IsBlank(line[i])) {
        ++i;
    }
    const std::string_view key = line.substr(keyStart, i - keyStart);
    if (key.empty() || key[0] == '#' || key[0] == '[' || key[0] == ']') {
        return;
    }

    while (i < line.size() && IsBlank(line[i])) {
        ++i;
    }
    const size_t separatorStart = i;
    while (i < line.size() && !IsBlank(line[i])) {
        ++i;
    }
    if (line.substr(separatorStart, i - separatorStart) != "=") {
        return;
    }
    if (i < line.size()) {
        ++i; // only the character that ends the "=" word
    }

    while (i < line.size() && (line[i] == '\t' || line[i] == '#')) {
        ++i;
    }
    const size_t valueStart = i;
    while (i < line.size() && line[i] != '\t' && line[i] != '#') {
        ++i;
    }
    if (i > valueStart) {
        list.AddPair(std::string(key), std::string(line.substr(valueStart, i - valueStart)));
    }
}

} // namespace

void ParseLines(std::string_view text, KeyValueList& list)
{
    size_t at = 0;
    while (at < text.size()) {
        // Any run of CR and LF ends a line, so CR LF, LF and CR files read
        // alike and empty lines vanish.
        while (at < text.size() && IsLineEnd(text[at])) {
            ++at;
        }
        size_t end = at;
        while (end < text.size() && !IsLineEnd(text[end])) {
            ++end;
        }
        if (end > at) {
            ParseLine(text.substr(at, end - at), list);
        }
        at = end;
    }
}

int KeyValueStore::Load(const std::string& path)
{
    list.Clear();
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        return 1;
    }

    // Big reads keep large files fast; only the unfinished last line of a
    // chunk is carried over, so no line is ever split.
    constexpr size_t chunkSize = 1 << 20;
    std::unique_ptr<char[]> chunk(new char[chunkSize]);
    std::string pending;
    for (;;) {
        const size_t got = std::fread(chunk.get(), 1, chunkSize, file.get());
        if (got == 0) {
            break;
        }
        size_t lastEnd = got;
        while (lastEnd > 0 && !IsLineEnd(chunk[lastEnd - 1])) {
            --lastEnd;
        }
        if (lastEnd == 0) {
            pending.append(chunk.get(), got);
            continue;
        }
        pending.append(chunk.get(), lastEnd);
        ParseLines(pending, list);
        pending.assign(chunk.get() + lastEnd, got - lastEnd);
    }
    if (std::ferror(file.get())) {
        // Not readable at all (a folder, for one): report it like a missing file.
        list.Clear();
        return 1;
    }
    ParseLines(pending, list);
    return 0;
}
