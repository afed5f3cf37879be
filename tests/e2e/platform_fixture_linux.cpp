// The shared end-to-end fixture on Linux: the program runs through pipes, and COMSPEC names the
// recording interpreter, which prints nothing and keeps a copy of bat.bat as it ran it.
#include "platform_fixture.h"

namespace rainprep::test_support {

void platform_fixture::SetUp() {
  event_fixture::SetUp();
}

session_result platform_fixture::run_program(const event_answers& answers) {
  return run(answers);
}

std::string platform_fixture::typed_line_break() const {
  return "\n";
}

std::string platform_fixture::console(const std::string& before, const std::vector<std::string>&,
                                      const std::string& after) const {
  return before + after;
}

void platform_fixture::expect_batch_ran(const std::vector<import_step>& steps) const {
  EXPECT_TRUE(interpreter_ran());
  EXPECT_EQ(interpreter_saw(), batch_text(steps));
}

void platform_fixture::expect_batch_not_run() const {
  EXPECT_FALSE(interpreter_ran());
}

}  // namespace rainprep::test_support
