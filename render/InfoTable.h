#pragma once
// The rows of the information table: the infoStore entries whose keys begin
// with "Data", in store order. A value entry takes the pair after it as its
// label; separators are rules when their value holds "hr", else gaps. At
// most MaxTableRows rows, the first ones.

#include "settings/KeyValueList.h"

#include <string>
#include <vector>

// The table never grows beyond the screen's right column, whatever the answer holds.
constexpr size_t MaxTableRows = 40;

enum class TableRowKind { Rule, Gap, Title, Value };

struct TableRow {
    TableRowKind kind;
    std::string text;  // the title or the value
    std::string label; // the label of a value row
    bool operator==(const TableRow&) const = default;
};

std::vector<TableRow> InfoTableRows(const KeyValueList& store);
