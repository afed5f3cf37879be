// The run as a whole on Linux, where the recording interpreter named by COMSPEC stands in for
// the batch's runner; what a run does on both platforms is in common/run_test.cpp.
#include <string>
#include <vector>

#include "platform_fixture.h"

namespace rainprep::test_support {
namespace {

class PosixRunTest : public platform_fixture {};

TEST_F(PosixRunTest, TypedAnswersGiveTheDialogueAndTheClosingMessage) {
  event_answers answers;
  answers.end = answers.start;
  const session_result result = run(answers);
  EXPECT_FALSE(result.timed_out);
  EXPECT_EQ(result.output, std::string(dialogue_text) + closing_text);
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(read_file("bat.bat"), "");
  EXPECT_TRUE(interpreter_ran());
}

}  // namespace
}  // namespace rainprep::test_support
