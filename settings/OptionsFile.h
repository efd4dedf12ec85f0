#pragma once
// The key/value text format shared by the options file and the dictionaries:
// the line parser behind KeyValueStore::Load and the options layout behind
// KeyValueStore::Save, exposed so they can be driven from memory and with a
// fixed date.

#include "settings/KeyValueList.h"
#include "settings/KeyValueStore.h"

#include <cstdint>
#include <string>
#include <string_view>

// Appends every entry of the text to the list, in text order. Lines may end
// with CR LF, LF or CR; the last line needs no line end.
void ParseLines(std::string_view text, KeyValueList& list);

// "%A, %B %d, %Y" of the UTC date of the time, always with the English names;
// empty when the date can't be represented.
std::string OptionsDateText(int64_t when);

// The whole options file as Save writes it, dated with the given time.
std::string OptionsText(const KeyValueStore& store, int64_t when);

// Save with a given date: writes a temporary file beside the target (beside
// the file a linked target leads to) and renames it over the target. On
// Linux the file is readable by its owner only, or stricter as the old file
// was; a file read-only to its owner isn't replaced. 0 when written, 1 when
// nothing was changed.
int WriteOptions(const KeyValueStore& store, const std::string& path, int64_t when);
