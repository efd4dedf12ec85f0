#pragma once
// The rows of the information table as the info answer lists them: the
// entries whose keys begin with "Data", in answer order. A value entry takes
// the pair after it as its label; separators are rules when their value
// holds "hr", else gaps. At most MaxInfoRows rows, the first ones.

#include "settings/KeyValueList.h"

#include <cstddef>
#include <string>
#include <vector>

// The table never grows beyond the screen's right column, whatever the answer holds.
constexpr size_t MaxInfoRows = 40;

struct InfoRow {
    enum class Kind { Rule, Gap, Title, Value };
    Kind kind;
    std::string text;  // the title or the value
    std::string label; // the label of a value row
};

std::vector<InfoRow> InfoTableRows(const KeyValueList& answer);
