// bat.bat and its run, on Linux and under Wine alike: its lines, emptied before each run, and
// handed to the platform's batch runner.
#include <string>
#include <vector>

#include "platform_fixture.h"

namespace rainprep::test_support {
namespace {

const std::vector<std::string> rows = {"0 0.5 1 -9999"};

class ImportBatchTest : public platform_fixture {};

TEST_F(ImportBatchTest, ThreeStepsGiveThreeLinesThatTheBatchRunsInOrder) {
  lay_out("lluvia", {"1000", "1015", "1030"}, rows);
  event_answers answers;
  answers.end = {"06", "04", "2024", "10", "45"};
  const session_result result = run_program(answers);
  std::vector<std::string> lines;
  std::vector<import_step> steps;
  for (const char* hhmm : {"1000", "1015", "1030"}) {
    const std::string grid = std::string("lluvia_20240406_") + hhmm + "_mod.asc";
    lines.push_back(import_command(grid, "20240406_1045"));
    steps.push_back({grid, "20240406_1045"});
  }
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(read_file("bat.bat"),
            "asc2dssGrid in=lluvia_20240406_1000_mod.asc dss=truvodss.dss "
            "path=/SHG/TEST/PRECIP/20240406_1000/20240406_1045/IMPORT/;\r\n"
            "asc2dssGrid in=lluvia_20240406_1015_mod.asc dss=truvodss.dss "
            "path=/SHG/TEST/PRECIP/20240406_1000/20240406_1045/IMPORT/;\r\n"
            "asc2dssGrid in=lluvia_20240406_1030_mod.asc dss=truvodss.dss "
            "path=/SHG/TEST/PRECIP/20240406_1000/20240406_1045/IMPORT/;\r\n");
  // Under Wine, cmd.exe's prompt in the output names the folder it ran in.
  EXPECT_EQ(result.output, console(dialogue_text, lines, closing_text));
  EXPECT_EQ(result.errors, "");
  expect_batch_ran(steps);
}

TEST_F(ImportBatchTest, StampsAreTheTypedTexts) {
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
    SCOPED_TRACE(c.name);
    start_over();
    lay_out("lluvia", {"0905"}, rows);
    event_answers answers;
    answers.start = c.start;
    answers.end = c.end;
    run_program(answers);
    const std::string grid = "lluvia_20240406_0905_mod.asc";
    EXPECT_EQ(read_file("bat.bat"), import_command(grid, c.end_stamp, c.start_stamp) + "\r\n")
        << c.name;
    expect_batch_ran({{grid, c.end_stamp, c.start_stamp}});
  }
}

TEST_F(ImportBatchTest, AnOldBatchIsEmptiedAndAnEmptyOneStillRuns) {
  write_file("bat.bat", "asc2dssGrid in=old_mod.asc dss=truvodss.dss path=/A/B/C/D/E/F/;\r\n");
  event_answers answers;
  answers.end = answers.start;
  const session_result result = run_program(answers);
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(read_file("bat.bat"), "");
  // cmd.exe shows nothing for an empty batch, and complains on standard error of a missing one.
  EXPECT_EQ(result.output, console(dialogue_text, {}, closing_text));
  EXPECT_EQ(result.errors, "");
  expect_batch_ran({});
}

TEST_F(ImportBatchTest, ADirectoryWhereTheBatchShouldBe) {
  make_directory("bat.bat");
  lay_out("lluvia", {"1000"}, rows);
  event_answers answers;
  answers.end = {"06", "04", "2024", "10", "15"};
  const session_result result = run_program(answers);
  EXPECT_EQ(result.output,
            console(std::string(dialogue_text) + "\n ERROR BAT: no se puede abrir el archivo.\n",
                    {}, closing_text));
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(read_file("lluvia_20240406_1000_mod.asc"), rewritten_grid(answers, rows));
  expect_batch_not_run();
}

}  // namespace
}  // namespace rainprep::test_support
