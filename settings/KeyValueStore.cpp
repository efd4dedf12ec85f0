#include "settings/KeyValueStore.h"

#include "settings/DecimalText.h"

std::string KeyValueStore::GetString(const std::string& key, const std::string& defaultText) const
{
    return list.GetString(key, defaultText);
}

int KeyValueStore::GetInt(const std::string& key, int defaultValue) const
{
    return DecimalTextValue(list.GetString(key, std::to_string(defaultValue)));
}

int KeyValueStore::SetString(const std::string& key, const std::string& value)
{
    return list.SetString(key, value, true);
}

int KeyValueStore::SetInt(const std::string& key, int value)
{
    return list.SetInt(key, value, true);
}
