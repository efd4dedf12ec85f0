#pragma once
// A KeyValueList read from a key/value text file, with the typed accessors
// every reader of options and texts goes through.

#include "settings/KeyValueList.h"

#include <string>

class KeyValueStore {
public:
    std::string GetString(const std::string& key, const std::string& defaultText) const;
    int GetInt(const std::string& key, int defaultValue) const;
    int SetString(const std::string& key, const std::string& value);
    int SetInt(const std::string& key, int value);

    // 0 when the file was read, 1 when it can't be opened; the store is emptied first.
    int Load(const std::string& path);
    // Writes the options file layout; 0 when written, 1 when it couldn't be.
    int Save(const std::string& path) const;

    KeyValueList list;
};
