#include "service/InfoTableRows.h"

namespace {

bool Contains(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

std::vector<InfoRow> InfoTableRows(const KeyValueList& answer)
{
    std::vector<InfoRow> rows;
    if (answer.PairLimit() <= 0)
        return rows;
    long index = 0;
    std::string key, value;
    while (rows.size() < MaxInfoRows && index != KeyValueList::None && answer.NextPair(index, key, value) == 0) {
        if (key.find("Data") != 0)
            continue;
        if (Contains(key, "Seperator")) {
            rows.push_back({Contains(value, "hr") ? InfoRow::Kind::Rule : InfoRow::Kind::Gap, value, {}});
        } else if (Contains(key, "Title")) {
            rows.push_back({InfoRow::Kind::Title, value, {}});
        } else {
            std::string labelKey, label;
            answer.NextPair(index, labelKey, label); // the label pair is taken, not examined
            rows.push_back({InfoRow::Kind::Value, value, label});
        }
    }
    return rows;
}
