#pragma once
// Ordered list of alternating keys and values: options, dictionary texts and
// the run-time information all live in one of these. Lookups take the first
// occurrence of a key; later duplicates are reached only through NextPair.

#include <string>
#include <vector>

class KeyValueList {
public:
    using Position = long; // index of a key entry, or None
    static constexpr Position None = -1;

    Position Find(const std::string& key) const;
    std::string GetString(const std::string& key, const std::string& defaultText) const;
    int SetString(const std::string& key, const std::string& value, bool add);
    int SetInt(const std::string& key, int value, bool add);
    Position AddPair(const std::string& key, const std::string& value);
    void Clear();
    int NextPair(long& index, std::string& key, std::string& value) const;
    long PairLimit() const;

    size_t EntryCount() const { return entries.size(); }

private:
    std::vector<std::string> entries;
};
