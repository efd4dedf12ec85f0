#pragma once
// The get-infos.php answer: its lines as keys and values, read into the
// information store as the chunks arrive.

#include "service/AnswerLines.h"
#include "settings/KeyValueList.h"

#include <cstddef>
#include <string>

// Bounds on what the service's answer can make the saver keep and draw.
constexpr size_t MaxInfoEntries = 1000;
constexpr size_t MaxInfoValueBytes = 256;

// The key is the first run of characters that are neither a colon nor a
// blank, after any colons and blanks at the start; the value is what follows
// the one character that ends the key. The key is trimmed of white space at
// both ends, the value at its start, and a carriage return ending the value
// is dropped so that CR LF answers mean what they say; a value is cut at
// MaxInfoValueBytes. False for a line that gives no entry: an empty key, or
// nothing at all after the key's end.
bool ParseInfoLine(const std::string& line, std::string& key, std::string& value);

// Appends the entry of each line of an answer to a store, up to
// MaxInfoEntries: the rest of a longer answer is not wanted.
class InfoAnswerReader {
public:
    explicit InfoAnswerReader(KeyValueList& store);
    InfoAnswerReader(const InfoAnswerReader&) = delete;
    InfoAnswerReader& operator=(const InfoAnswerReader&) = delete;
    // False once the store holds its MaxInfoEntries entries.
    bool Feed(const char* data, size_t size);
    // Takes the last line if it had no line feed.
    void Finish();
    size_t Added() const { return added; }
    bool Full() const { return added >= MaxInfoEntries; }

private:
    KeyValueList& store;
    size_t added = 0;
    LineSplitter lines;
};
