// bat.bat under Wine where cmd.exe differs from Linux's runners: how it splits and expands a
// line, and what it does when the import tool is missing. What the batch holds on both platforms
// is in tests/e2e/common/import_batch_test.cpp.
#include <cstdio>
#include <string>
#include <vector>

#include "wine_fixture.h"

namespace rainprep::test_support {
namespace {

const std::vector<std::string> rows = {"0 0.5 1 -9999"};

class WineImportBatchTest : public wine_fixture {
 protected:
  void lay_out(const std::string& base, const std::vector<std::string>& hhmm) {
    wine_fixture::lay_out(base, hhmm, rows);
  }
};

TEST_F(WineImportBatchTest, NamesCmdWouldSplitAreQuoted) {
  struct quoting_case {
    const char* base;
    const char* in;        // as bat.bat has it
    const char* echoed;    // as cmd.exe shows it, after expanding %%
    const char* argument;  // as the import tool receives it
  };
  const quoting_case cases[] = {
      {"mi lluvia", "\"mi lluvia_20240406_1000_mod.asc\"", "\"mi lluvia_20240406_1000_mod.asc\"",
       "mi lluvia_20240406_1000_mod.asc"},
      {"a&echo", "\"a&echo_20240406_1000_mod.asc\"", "\"a&echo_20240406_1000_mod.asc\"",
       "a&echo_20240406_1000_mod.asc"},
      {"50%lluvia", "\"50%%lluvia_20240406_1000_mod.asc\"", "\"50%lluvia_20240406_1000_mod.asc\"",
       "50%lluvia_20240406_1000_mod.asc"},
      {"a^b (1)", "\"a^b (1)_20240406_1000_mod.asc\"", "\"a^b (1)_20240406_1000_mod.asc\"",
       "a^b (1)_20240406_1000_mod.asc"},
  };
  for (const auto& c : cases) {
    start_over();
    lay_out(c.base, {"1000"});
    event_answers answers;
    answers.base_name = c.base;
    answers.end = {"06", "04", "2024", "10", "15"};
    const session_result result = run_console(answers);
    EXPECT_EQ(result.exit_status, 0) << c.base;
    EXPECT_EQ(read_file("bat.bat"), import_command(c.in, "20240406_1015") + "\r\n") << c.base;
    // Were the line split at an operator, cmd.exe would report the rest as a command, and the
    // tool would receive a shorter name.
    EXPECT_EQ(result.output,
              console(dialogue_text, {import_command(c.echoed, "20240406_1015")}, closing_text))
        << c.base;
    EXPECT_EQ(result.errors, "") << c.base;
    EXPECT_EQ(import_calls(), import_call(c.argument, "20240406_1015")) << c.base;
  }
}

TEST_F(WineImportBatchTest, AMissingImportToolLeavesTheRunToFinish) {
  lay_out("lluvia", {"1000"});
  ASSERT_EQ(std::remove(path("bin/asc2dssGrid.exe").c_str()), 0);
  event_answers answers;
  answers.end = {"06", "04", "2024", "10", "15"};
  const session_result result = run_console(answers);
  const std::string line = import_command("lluvia_20240406_1000_mod.asc", "20240406_1015");
  EXPECT_EQ(result.output, console(dialogue_text, {line}, closing_text));
  EXPECT_NE(result.errors.find("asc2dssGrid"), std::string::npos) << result.errors;
  EXPECT_EQ(result.exit_status, 0);
}

}  // namespace
}  // namespace rainprep::test_support
