#include "platform/command_words.h"

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
    if (c == '"') {
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
