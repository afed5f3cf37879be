// The decimal rule of typed numbers, written out plainly for the fuzz targets to check the
// program's conversion against: the digits are kept as text and their count decides overflow.
#pragma once

#include <cstdint>
#include <limits>
#include <string_view>

namespace rainprep::fuzz {

// Leading white space skipped, an optional sign, then digits up to the first non-digit; no
// digits gives 0, and a value beyond 32 bits the nearest limit.
inline std::int32_t expected_decimal(std::string_view text) {
  constexpr std::int32_t int_max = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t int_min = std::numeric_limits<std::int32_t>::min();
  std::size_t i = 0;
  while (i < text.size() && std::string_view(" \t\n\r\v\f").find(text[i]) != std::string_view::npos)
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::size_t first = i;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9')
    ++i;
  while (first < i && text[first] == '0')
    ++first;
  const std::string_view digits = text.substr(first, i - first);
  if (digits.size() > 10) return negative ? int_min : int_max;
  std::int64_t value = 0;
  for (const char d : digits)
    value = value * 10 + (d - '0');
  if (negative) value = -value;
  if (value > int_max) return int_max;
  if (value < int_min) return int_min;
  return static_cast<std::int32_t>(value);
}

}  // namespace rainprep::fuzz
