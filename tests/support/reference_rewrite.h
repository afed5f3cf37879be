// A deliberately plain model of one grid rewrite, to check the program's streaming copy
// against: whole texts in memory, each rule applied in its own pass, nothing shared with src/.
#pragma once

#include <string>

namespace rainprep::test_support {

// The destination bytes that rewriting a source grid of these bytes must give, the header
// carrying the three texts as typed. Works from first principles: the bytes are read as text
// (Ctrl-Z ends it, CR LF is one line break, a lone CR is a character), the text is cut into
// reads of up to and including a line break but at most 999 characters, the first six reads
// are dropped, the fixed header goes in front of the rest, and every line break is stored as
// CR LF.
std::string reference_rewrite(const std::string& source_bytes, const std::string& xllcorner,
                              const std::string& yllcorner, const std::string& cellsize);

}  // namespace rainprep::test_support
