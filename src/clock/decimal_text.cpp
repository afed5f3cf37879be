#include "clock/decimal_text.h"

#include <limits>

namespace rainprep {

bool is_white_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::int32_t decimal_value(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && is_white_space(text[i]))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Accumulate in 64 bits and stop growing once past the 32-bit range, so any number of
  // digits saturates instead of overflowing.
  constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (magnitude <= limit) magnitude = magnitude * 10 + (text[i] - '0');
  }
  if (negative) {
    return magnitude >= limit ? std::numeric_limits<std::int32_t>::min()
                              : static_cast<std::int32_t>(-magnitude);
  }
  return magnitude >= limit ? std::numeric_limits<std::int32_t>::max()
                            : static_cast<std::int32_t>(magnitude);
}

}  // namespace rainprep
