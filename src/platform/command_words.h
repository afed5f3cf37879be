// The words of one batch line, as the program it starts receives them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rainprep {

// Splits on blanks and tabs; double quotes group what they enclose and are removed; "%%"
// reads as one "%". A line of blanks gives no words.
std::vector<std::string> split_command_words(std::string_view line);

}  // namespace rainprep
