#include "platform/command_words.h"

#include <algorithm>

namespace rainprep {

std::vector<std::string> split_command_words(std::string_view line) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false;
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (!quoted && (c == ' ' || c == '\t')) {
      if (in_word) words.push_back(word);
      word.clear();
      in_word = false;
      continue;
    }
    // A pair of quotes with nothing between still makes a word, even an empty one.
    in_word = true;
    if (c == '\\') {
      // As a Windows program reads them: before a double quote, two backslashes give one and
      // an odd one makes the quote plain; anywhere else a backslash is plain.
      const std::size_t run_end = std::min(line.find_first_not_of('\\', i), line.size());
      const std::size_t run = run_end - i;
      const bool before_quote = run_end < line.size() && line[run_end] == '"';
      word.append(before_quote ? run / 2 : run, '\\');
      if (before_quote && run % 2 == 1) {
        word += '"';
        i = run_end;
      } else {
        i = run_end - 1;
      }
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == '%' && i + 1 < line.size() && line[i + 1] == '%') {
      word += '%';
      ++i;
    } else {
      word += c;
    }
  }
  if (in_word) words.push_back(word);
  return words;
}

}  // namespace rainprep
