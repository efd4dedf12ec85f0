#include "settings/KeyValueList.h"

KeyValueList::Position KeyValueList::Find(const std::string& key) const
{
    // Only key entries (even positions) are compared: a value that happens to
    // spell the key must never be taken for it.
    for (size_t i = 0; i + 1 < entries.size(); i += 2) {
        if (entries[i] == key) {
            return static_cast<Position>(i);
        }
    }
    return None;
}

std::string KeyValueList::GetString(const std::string& key, const std::string& defaultText) const
{
    const Position at = Find(key);
    if (at == None || entries[at + 1].empty()) {
        return defaultText;
    }
    return entries[at + 1];
}

int KeyValueList::SetString(const std::string& key, const std::string& value, bool add)
{
    const Position at = Find(key);
    if (at != None) {
        entries[at + 1] = value;
        return 0;
    }
    if (!add) {
        return 1;
    }
    AddPair(key, value);
    return 0;
}

int KeyValueList::SetInt(const std::string& key, int value, bool add)
{
    return SetString(key, std::to_string(value), add);
}

KeyValueList::Position KeyValueList::AddPair(const std::string& key, const std::string& value)
{
    entries.push_back(key);
    entries.push_back(value);
    return static_cast<Position>(entries.size() - 2);
}

void KeyValueList::Clear()
{
    entries.clear();
}

int KeyValueList::NextPair(long& index, std::string& key, std::string& value) const
{
    if (index < 0 || 2 * static_cast<size_t>(index) >= entries.size()) {
        return 1;
    }
    const size_t at = 2 * static_cast<size_t>(index);
    key = entries[at];
    value = entries[at + 1];
    index = (at + 2 < entries.size()) ? index + 1 : -1;
    return 0;
}

long KeyValueList::PairLimit() const
{
    if (entries.size() < 2) {
        return -1;
    }
    return static_cast<long>(entries.size() / 2 + 1);
}
