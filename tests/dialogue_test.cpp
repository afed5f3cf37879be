#include "dialogue.h"

#include <gtest/gtest.h>

#include "support/dialogue_text.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace rainprep {
namespace {

using test_support::dialogue_text;

// Each string is one block of input, as when a person types each answer after its prompt.
console_input typed(std::vector<std::string> blocks) {
  auto next = std::make_shared<std::size_t>(0);
  return console_input([blocks, next](char* buffer, std::size_t) -> std::size_t {
    if (*next == blocks.size()) return 0;
    const std::string& block = blocks[(*next)++];
    std::memcpy(buffer, block.data(), block.size());
    return block.size();
  });
}

const std::vector<std::string> fifteen_answers = {
    "400000\n", "4500000\n", " 1000 \n", "6\n",  "4\n",  "2024\n",   "9\n", "50\n",
    "6\n",      "4\n",       "2024\n",   "11\n", "00\n", "lluvia\n", "10\n"};

TEST(Dialogue, AsksEveryQuestionAndKeepsAnswersAsTyped) {
  console_input input = typed(fifteen_answers);
  captured_output output;
  const dialogue_answers a = run_dialogue(input, output);
  EXPECT_EQ(output.text(), dialogue_text);
  EXPECT_EQ(a.xllcorner, "400000");
  EXPECT_EQ(a.yllcorner, "4500000");
  EXPECT_EQ(a.cellsize, " 1000 ");
  EXPECT_EQ(a.start.day, "6");
  EXPECT_EQ(a.start.month, "4");
  EXPECT_EQ(a.start.year, "2024");
  EXPECT_EQ(a.start.hour, "9");
  EXPECT_EQ(a.start.minute, "50");
  EXPECT_EQ(a.end.day, "6");
  EXPECT_EQ(a.end.hour, "11");
  EXPECT_EQ(a.end.minute, "00");
  EXPECT_EQ(a.base_name, "lluvia");
  EXPECT_EQ(a.interval, 10);
  EXPECT_FALSE(output.any_reported());
}

TEST(Dialogue, AnswersSentAllAtOnceFillOnlyTheFirstField) {
  std::string all;
  for (const auto& answer : fifteen_answers)
    all += answer;
  console_input input = typed({all});
  captured_output output;
  const dialogue_answers a = run_dialogue(input, output);
  EXPECT_EQ(output.text(), dialogue_text);
  EXPECT_EQ(a.xllcorner, "400000");
  EXPECT_EQ(a.yllcorner, "");
  EXPECT_EQ(a.start.day, "");
  EXPECT_EQ(a.base_name, "");
  EXPECT_EQ(a.interval, 0);
}

TEST(Dialogue, TypedAheadDateLineIsDiscarded) {
  std::vector<std::string> blocks = fifteen_answers;
  blocks[3] = "6\n4\n";  // day and month typed together at the day prompt
  blocks.erase(blocks.begin() + 4);
  console_input input = typed(blocks);
  captured_output output;
  const dialogue_answers a = run_dialogue(input, output);
  EXPECT_EQ(a.start.day, "6");
  EXPECT_EQ(a.start.month, "2024");  // the next block answers the month prompt
}

TEST(Dialogue, InputEndingEarlyLeavesTheRestEmpty) {
  for (std::size_t given = 0; given < fifteen_answers.size(); ++given) {
    console_input input =
        typed(std::vector<std::string>(fifteen_answers.begin(), fifteen_answers.begin() + given));
    captured_output output;
    const dialogue_answers a = run_dialogue(input, output);
    EXPECT_EQ(output.text(), dialogue_text) << given << " answers";
    EXPECT_EQ(a.interval, 0) << given << " answers";
    EXPECT_EQ(a.base_name, given > 13 ? "lluvia" : "") << given << " answers";
    EXPECT_EQ(a.xllcorner, given > 0 ? "400000" : "") << given << " answers";
  }
}

}  // namespace
}  // namespace rainprep
