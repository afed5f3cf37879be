// rainprep.exe's run under Wine where it differs from Linux: the answers as a Windows console
// types them. What a run does on both platforms is in tests/e2e/common/run_test.cpp.
#include <string>
#include <vector>

#include "wine_fixture.h"

namespace rainprep::test_support {
namespace {

const std::vector<std::string> rows = {"0 0 1.5 -9999", "0 2.25 3 -9999"};

class WineRunTest : public wine_fixture {};

TEST_F(WineRunTest, AnswersEndedByEitherLineBreakReachTheProgramWhole) {
  struct enter_case {
    const char* name;
    const char* enter;
  };
  const enter_case cases[] = {{"CR LF, as a Windows console sends", "\r\n"}, {"LF", "\n"}};
  for (const auto& c : cases) {
    start_over();
    lay_out("lluvia", {"1000", "1015", "1030", "1045", "1100"}, rows);
    event_answers answers;
    answers.xllcorner = "342000.5";
    answers.end = {"06", "04", "2024", "10", "15"};
    // A CR left on an answer would show in the header, or lose the source grid.
    const session_result result = run_console(answers, c.enter);
    const std::string grid = "lluvia_20240406_1000_mod.asc";
    const std::string line = import_command(grid, "20240406_1015");
    EXPECT_FALSE(result.timed_out) << c.name;
    EXPECT_EQ(result.output, console(dialogue_text, {line}, closing_text)) << c.name;
    EXPECT_EQ(result.errors, "") << c.name;
    EXPECT_EQ(result.exit_status, 0) << c.name;
    EXPECT_EQ(read_file(grid), rewritten_grid(answers, rows)) << c.name;
    EXPECT_EQ(read_file("bat.bat"), line + "\r\n") << c.name;
    EXPECT_EQ(import_calls(), import_call(grid, "20240406_1015")) << c.name;
  }
}

}  // namespace
}  // namespace rainprep::test_support
