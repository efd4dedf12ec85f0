// INTERIM, test-only: a minimal key/value list and store so the render tests
// link before the settings code is in the tree. CMake compiles this file only
// while settings/ holds no sources; delete it once it does.

#include "settings/KeyValueList.h"
#include "settings/KeyValueStore.h"

KeyValueList::Position KeyValueList::Find(const std::string& key) const
{
    for (size_t i = 0; i + 1 < entries.size(); i += 2)
        if (entries[i] == key)
            return static_cast<Position>(i);
    return None;
}

std::string KeyValueList::GetString(const std::string& key, const std::string& defaultText) const
{
    Position at = Find(key);
    return at != None && !entries[at + 1].empty() ? entries[at + 1] : defaultText;
}

int KeyValueList::SetString(const std::string& key, const std::string& value, bool add)
{
    Position at = Find(key);
    if (at != None) {
        entries[at + 1] = value;
        return 0;
    }
    if (!add)
        return 1;
    AddPair(key, value);
    return 0;
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
    if (index < 0 || static_cast<size_t>(2 * index) >= entries.size())
        return 1;
    key = entries[2 * index];
    value = entries[2 * index + 1];
    index = static_cast<size_t>(2 * (index + 1)) < entries.size() ? index + 1 : -1;
    return 0;
}

long KeyValueList::PairLimit() const
{
    return entries.size() >= 2 ? static_cast<long>(entries.size() / 2 + 1) : -1;
}

std::string KeyValueStore::GetString(const std::string& key, const std::string& defaultText) const
{
    return list.GetString(key, defaultText);
}

int KeyValueStore::SetString(const std::string& key, const std::string& value)
{
    return list.SetString(key, value, true);
}
