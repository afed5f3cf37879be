// Decimal conversion of typed answers, shared by the date fields and the interval.
#pragma once

#include <cstdint>
#include <string_view>

namespace rainprep {

// True for the blanks a decimal conversion skips: blank, tab, line break, CR, VT, FF.
bool is_white_space(char c);

// Skips leading white space, takes an optional + or - sign, then decimal digits up to the
// first non-digit; the rest is ignored. No digits gives 0. A value beyond the signed 32-bit
// range saturates to the nearest limit.
std::int32_t decimal_value(std::string_view text);

}  // namespace rainprep
