// The words of one batch line, as the program it starts receives them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rainprep {

// Splits on blanks and tabs; double quotes group what they enclose and are removed; "%%"
// reads as one "%"; backslashes before a double quote read as a Windows program reads them
// (two give one, an odd last one makes the quote plain). A line of blanks gives no words.
std::vector<std::string> split_command_words(std::string_view line);

}  // namespace rainprep
