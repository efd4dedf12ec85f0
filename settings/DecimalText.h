#pragma once
// Numbers in option and service texts are read as atoi reads them: leading
// white space, an optional sign, then digits up to the first other character.
// Unlike atoi, a number too large for an int saturates instead of being
// undefined.

#include <string_view>

int DecimalTextValue(std::string_view text);
