// bat.bat under Wine: its lines, and Wine's own cmd.exe running them, each one calling the
// stand-in import tool with the arguments the Windows C runtime splits from it.
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
    for (const auto& t : hhmm)
      write_file(base + "_20240406_" + t + ".asc", source_grid(rows, "\r\n"));
  }
};

TEST_F(WineImportBatchTest, ThreeStepsGiveThreeLinesThatCmdRunsInOrder) {
  lay_out("lluvia", {"1000", "1015", "1030"});
  event_answers answers;
  answers.end = {"06", "04", "2024", "10", "45"};
  const session_result result = run_console(answers);
  std::vector<std::string> lines;
  std::string batch, calls;
  for (const char* hhmm : {"1000", "1015", "1030"}) {
    const std::string grid = std::string("lluvia_20240406_") + hhmm + "_mod.asc";
    lines.push_back(import_command(grid, "20240406_1045"));
    batch += lines.back() + "\r\n";
    calls += import_call(grid, "20240406_1045");
  }
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(read_file("bat.bat"), batch);
  // cmd.exe's prompt in the output names the folder it ran in.
  EXPECT_EQ(result.output, console(dialogue_text, lines, closing_text));
  EXPECT_EQ(result.errors, "");
  EXPECT_EQ(import_calls(), calls);
}

TEST_F(WineImportBatchTest, StampsAreTheTypedTexts) {
  struct stamp_case {
    const char* name;
    std::vector<std::string> start, end;
    const char* start_stamp;
    const char* end_stamp;
  };
  const stamp_case cases[] = {
      {"padded",
       {"06", "04", "2024", "09", "05"},
       {"06", "04", "2024", "09", "20"},
       "20240406_0905",
       "20240406_0920"},
      {"unpadded",
       {"6", "4", "2024", "9", "5"},
       {"6", "4", "2024", "9", "20"},
       "202446_95",
       "202446_920"},
  };
  for (const auto& c : cases) {
    start_over();
    lay_out("lluvia", {"0905"});
    event_answers answers;
    answers.start = c.start;
    answers.end = c.end;
    run_console(answers);
    const std::string grid = "lluvia_20240406_0905_mod.asc";
    EXPECT_EQ(read_file("bat.bat"), import_command(grid, c.end_stamp, c.start_stamp) + "\r\n")
        << c.name;
    EXPECT_EQ(import_calls(), import_call(grid, c.end_stamp, c.start_stamp)) << c.name;
  }
}

TEST_F(WineImportBatchTest, AnOldBatchIsEmptiedAndAnEmptyOneStillRuns) {
  write_file("bat.bat", "asc2dssGrid in=old_mod.asc dss=truvodss.dss path=/A/B/C/D/E/F/;\r\n");
  event_answers answers;
  answers.end = answers.start;
  const session_result result = run_console(answers);
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(read_file("bat.bat"), "");
  // cmd.exe shows nothing for an empty batch, and complains on standard error of a missing one.
  EXPECT_EQ(result.output, console(dialogue_text, {}, closing_text));
  EXPECT_EQ(result.errors, "");
  EXPECT_EQ(import_calls(), "");
}

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

TEST_F(WineImportBatchTest, ADirectoryWhereTheBatchShouldBe) {
  make_directory("bat.bat");
  lay_out("lluvia", {"1000"});
  event_answers answers;
  answers.end = {"06", "04", "2024", "10", "15"};
  const session_result result = run_console(answers);
  EXPECT_EQ(result.output,
            console(std::string(dialogue_text) + "\n ERROR BAT: no se puede abrir el archivo.\n",
                    {}, closing_text));
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(read_file("lluvia_20240406_1000_mod.asc"), rewritten_grid(answers, rows));
  EXPECT_EQ(import_calls(), "");
}

}  // namespace
}  // namespace rainprep::test_support
