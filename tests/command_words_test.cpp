#include "platform/command_words.h"

#include <gtest/gtest.h>

namespace rainprep {
namespace {

TEST(SplitCommandWords, Table) {
  struct words_case {
    const char* name;
    const char* line;
    std::vector<std::string> words;
  };
  const words_case cases[] = {
      {"plain", "asc2dssGrid in=a dss=b", {"asc2dssGrid", "in=a", "dss=b"}},
      {"blanks and tabs", "  a \t b  ", {"a", "b"}},
      {"quotes group and go", "x in=\"a b\" c", {"x", "in=a b", "c"}},
      {"quoted operators stay", "x in=\"a&b\"", {"x", "in=a&b"}},
      {"doubled percent", "x \"50%%\" 7%", {"x", "50%", "7%"}},
      {"empty quotes", "x \"\"", {"x", ""}},
      {"unclosed quote runs to the end", "x \"a b", {"x", "a b"}},
      {"backslashes before a closing quote halve", "x \"a b\\\\\" c", {"x", "a b\\", "c"}},
      {"odd backslash makes the quote plain", "x a\\\"b", {"x", "a\"b"}},
      {"other backslashes are plain", "x a\\\\b\\", {"x", "a\\\\b\\"}},
      {"nothing", "   ", {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(split_command_words(c.line), c.words) << c.name;
}

}  // namespace
}  // namespace rainprep
