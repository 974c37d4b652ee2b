// The leading-number rule: the value of a text (a cell, a line, the clipboard).
#pragma once

#include <optional>
#include <string_view>

#include "common/numbers/Fixed.h"

namespace zentra {

// Blanks, tabs and line feeds anywhere in the text are skipped; then an optional sign, digits, an
// optional decimal point with digits and an optional exponent (E or D) are read, or a hexadecimal
// literal after "&H" or an octal literal after "&O". Reading stops at the first other character; a
// text without a leading number gives 0. Values too large for a double give +-infinity.
double LeadingNumber(std::string_view text);

// The leading number converted to fixed-point; nullopt when it does not fit the fixed-point range.
std::optional<Fixed> LeadingFixed(std::string_view text);

}  // namespace zentra
