#include "platform/console_input.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace rainprep {
namespace {

// Input arriving as the given blocks, one per operating-system read, then the end.
console_input blocks(std::vector<std::string> parts, int* reads = nullptr) {
  auto next = std::make_shared<std::size_t>(0);
  return console_input([parts, next, reads](char* buffer, std::size_t capacity) -> std::size_t {
    if (reads != nullptr) ++*reads;
    if (*next == parts.size()) return 0;
    const std::string& part = parts[(*next)++];
    EXPECT_LE(part.size(), capacity);
    std::memcpy(buffer, part.data(), part.size());
    return part.size();
  });
}

std::vector<std::string> answers(console_input& input, int count) {
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) {
    std::string line = "unset";
    input.read_answer(line);
    lines.push_back(line);
  }
  return lines;
}

TEST(ConsoleInput, LineBreaks) {
  struct line_case {
    const char* name;
    std::vector<std::string> parts;
    std::vector<std::string> lines;
  };
  const line_case cases[] = {
      {"LF", {"uno\ndos\n"}, {"uno", "dos", "unset"}},
      {"CR LF", {"uno\r\ndos\r\n"}, {"uno", "dos", "unset"}},
      {"CR LF split across blocks", {"uno\r", "\ndos\r\n"}, {"uno", "dos", "unset"}},
      {"lone CR kept", {"u\rno\r", "x\n"}, {"u\rno\rx", "unset", "unset"}},
      {"CR at the very end", {"uno\r"}, {"uno\r", "unset", "unset"}},
      {"last line without break", {"uno\ndos"}, {"uno", "dos", "unset"}},
      {"empty lines", {"\n\r\n"}, {"", "", "unset"}},
      {"blanks kept", {"  1.5 \n"}, {"  1.5 ", "unset", "unset"}},
      {"Ctrl-Z ends input", {"uno\ndo\x1as\ntres\n", "mas\n"}, {"uno", "do", "unset"}},
      {"NUL byte kept", {std::string("a\0b\n", 4)}, {std::string("a\0b", 3), "unset", "unset"}},
  };
  for (const auto& c : cases) {
    console_input input = blocks(c.parts);
    EXPECT_EQ(answers(input, 3), c.lines) << c.name;
  }
}

TEST(ConsoleInput, DiscardDropsOnlyWhatWasTakenIn) {
  // Two lines typed ahead arrive in one block: the second is dropped, the next block kept.
  console_input input = blocks({"6\n4\n", "2024\n"});
  std::string day, month;
  input.read_answer(day);
  input.discard_pending_input();
  input.read_answer(month);
  EXPECT_EQ(day, "6");
  EXPECT_EQ(month, "2024");
}

TEST(ConsoleInput, DiscardNeverReads) {
  int reads = 0;
  console_input input = blocks({"uno\n"}, &reads);
  input.discard_pending_input();
  input.discard_pending_input();
  EXPECT_EQ(reads, 0);
  std::string line;
  input.read_answer(line);
  EXPECT_EQ(line, "uno");
  EXPECT_EQ(reads, 1);
}

TEST(ConsoleInput, DiscardedCarriageReturnTakesItsLineFeed) {
  // A line typed ahead whose CR ends the block is dropped; the LF that completes it arrives
  // with the next block and must not then read as an empty answer.
  console_input input = blocks({"6\n7\r", "\n4\n"});
  std::string day, month;
  input.read_answer(day);
  EXPECT_EQ(day, "6");
  input.discard_pending_input();
  input.read_answer(month);
  EXPECT_EQ(month, "4");
}

TEST(ConsoleInput, EndOfInputStaysMet) {
  int reads = 0;
  console_input input = blocks({"uno\n"}, &reads);
  answers(input, 1);
  std::string line = "kept";
  input.read_answer(line);
  EXPECT_EQ(line, "kept");
  const int reads_at_end = reads;
  input.discard_pending_input();
  input.read_answer(line);
  std::int32_t interval = 7;
  input.read_interval(interval);
  EXPECT_EQ(line, "kept");
  EXPECT_EQ(interval, 7);
  EXPECT_EQ(reads, reads_at_end);
}

TEST(ConsoleInput, Interval) {
  struct interval_case {
    const char* name;
    std::vector<std::string> parts;
    std::int32_t value;
    const char* rest;  // what a later read_answer sees
  };
  const interval_case cases[] = {
      {"plain", {"10\n"}, 10, ""},
      {"blank lines first", {"\n\r\n  \t", "15\n"}, 15, ""},
      {"letters", {"diez\n"}, 0, "diez"},
      {"two numbers", {"10 20\n"}, 10, " 20"},
      {"minus sign", {"-5\n"}, -5, ""},
      {"plus sign", {"+5\n"}, 5, ""},
      {"sign alone", {"-\n"}, 0, ""},
      {"beyond 32 bits", {"99999999999\n"}, 2147483647, ""},
      {"digits across blocks", {"1", "2", "\n"}, 12, ""},
      {"end of input", {}, 0, "unset"},
  };
  for (const auto& c : cases) {
    console_input input = blocks(c.parts);
    std::int32_t value = 0;
    input.read_interval(value);
    EXPECT_EQ(value, c.value) << c.name;
    std::string rest = "unset";
    input.read_answer(rest);
    EXPECT_EQ(rest, c.rest) << c.name;
  }
}

}  // namespace
}  // namespace rainprep
