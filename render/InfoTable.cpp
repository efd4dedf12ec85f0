#include "render/InfoTable.h"

namespace {

bool Contains(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

std::vector<TableRow> InfoTableRows(const KeyValueList& store)
{
    std::vector<TableRow> rows;
    if (store.PairLimit() <= 0)
        return rows;
    long index = 0;
    std::string key, value;
    while (rows.size() < MaxTableRows && index != KeyValueList::None && store.NextPair(index, key, value) == 0) {
        if (key.find("Data") != 0)
            continue;
        if (Contains(key, "Seperator")) {
            rows.push_back({Contains(value, "hr") ? TableRowKind::Rule : TableRowKind::Gap, value, {}});
        } else if (Contains(key, "Title")) {
            rows.push_back({TableRowKind::Title, value, {}});
        } else {
            std::string labelKey, label;
            store.NextPair(index, labelKey, label); // the label pair is taken, not examined
            rows.push_back({TableRowKind::Value, value, label});
        }
    }
    return rows;
}
