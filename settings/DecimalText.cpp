#include "settings/DecimalText.h"

#include <climits>

int DecimalTextValue(std::string_view text)
{
    size_t i = 0;
    // The C locale's white space, as isspace sees it.
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate as a negative number so INT_MIN itself fits, and stop
    // growing once past the int range.
    long long value = 0;
    constexpr long long limit = static_cast<long long>(INT_MAX) + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value > -limit) {
            value = value * 10 - (text[i] - '0');
        }
    }
    if (negative) {
        return value < INT_MIN ? INT_MIN : static_cast<int>(value);
    }
    return value < -static_cast<long long>(INT_MAX) ? INT_MAX : static_cast<int>(-value);
}
