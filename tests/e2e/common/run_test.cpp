// The run as a whole, on Linux and under Wine alike: the dialogue on the console, the walk over
// the steps, the batch, the ending.
#include <string>
#include <vector>

#include "platform_fixture.h"

namespace rainprep::test_support {
namespace {

const std::vector<std::string> rows = {"0 0 1.5 -9999", "0 2.25 3 -9999"};

class RunTest : public platform_fixture {
 protected:
  // Source grids for every quarter hour from 10:00 to 11:00 on 6 April 2024.
  void lay_out_quarter_hours() {
    lay_out("lluvia", {"1000", "1015", "1030", "1045", "1100"}, rows);
  }
};

TEST_F(RunTest, AnswersSentAllAtOnceFillOnlyTheFirstField) {
  lay_out_quarter_hours();
  std::string all;
  for (const auto& answer : event_answers().typed())
    all += answer + typed_line_break();
  prompt_session session(options_);
  ASSERT_TRUE(session.wait_for(answer_prompts()[0]));
  session.type(all);
  const session_result result = session.finish();
  // The first read took in every answer and the next prompt's discard dropped them: the dates
  // stay empty, so start and end are equal and no step runs.
  EXPECT_EQ(result.output, console(dialogue_text, {}, closing_text));
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(rewritten(), std::vector<std::string>{});
  EXPECT_EQ(read_file("bat.bat"), "");
}

TEST_F(RunTest, StepsRunFromTheStartUpToButNotIncludingTheEnd) {
  struct steps_case {
    const char* name;
    std::vector<std::string> end;
    const char* interval;
    std::vector<std::string> grids;
  };
  const steps_case cases[] = {
      {"end equal to start", {"06", "04", "2024", "10", "00"}, "15", {}},
      {"end before start", {"06", "04", "2024", "09", "00"}, "15", {}},
      {"zero interval with no step due", {"06", "04", "2024", "10", "00"}, "0", {}},
      {"one hour every 15 minutes",
       {"06", "04", "2024", "11", "00"},
       "15",
       {"lluvia_20240406_1000_mod.asc", "lluvia_20240406_1015_mod.asc",
        "lluvia_20240406_1030_mod.asc", "lluvia_20240406_1045_mod.asc"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    start_over();
    lay_out_quarter_hours();
    event_answers answers;
    answers.end = c.end;
    answers.interval = c.interval;
    const std::string end_stamp = "20240406_" + c.end[3] + c.end[4];
    std::vector<std::string> lines;
    std::vector<import_step> steps;
    for (const auto& grid : c.grids) {
      lines.push_back(import_command(grid, end_stamp));
      steps.push_back({grid, end_stamp});
    }
    const session_result result = run_program(answers);
    EXPECT_EQ(rewritten(), c.grids) << c.name;
    EXPECT_EQ(result.output, console(dialogue_text, lines, closing_text)) << c.name;
    EXPECT_EQ(result.exit_status, 0) << c.name;
    expect_batch_ran(steps);
  }
}

TEST_F(RunTest, RunsThatCannotEndAreRefusedBeforeAnyStep) {
  const std::string interval_message =
      "\n ERROR INTERVALO: el intervalo de tiempo debe ser mayor que 0.\n";
  const std::string dates_message =
      "\n ERROR FECHA: la lluvia abarca mas de 1000000 intervalos; revise las fechas y el "
      "intervalo.\n";
  struct refused_case {
    const char* name;
    const char* interval;
    std::vector<std::string> end;
    std::string message;
  };
  const std::vector<std::string> eleven = {"06", "04", "2024", "11", "00"};
  const refused_case cases[] = {
      {"interval 0", "0", eleven, interval_message},
      {"negative interval", "-1", eleven, interval_message},
      {"interval in words", "diez", eleven, interval_message},
      {"no interval", "", eleven, interval_message},
      {"dates beyond a million steps", "1", {"06", "04", "99999999999", "11", "00"}, dates_message},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    start_over();
    lay_out_quarter_hours();
    write_file("bat.bat", "asc2dssGrid old line\r\n");
    event_answers answers;
    answers.interval = c.interval;
    answers.end = c.end;
    const session_result result = run_program(answers);
    EXPECT_FALSE(result.timed_out) << c.name;
    EXPECT_EQ(result.output, console(std::string(dialogue_text) + c.message, {}, "")) << c.name;
    EXPECT_EQ(result.exit_status, 1) << c.name;
    EXPECT_EQ(rewritten(), std::vector<std::string>{}) << c.name;
    EXPECT_EQ(read_file("bat.bat"), "") << c.name;
    expect_batch_not_run();
  }
}

TEST_F(RunTest, AnAdvanceThatOverflowsStopsTheSteps) {
  event_answers answers;
  answers.start = {"31", "12", "2147483647", "23", "50"};
  answers.end = {"31", "12", "2147483647", "23", "59"};
  answers.base_name = "alto";
  write_file("alto_21474836471231_2350.asc", source_grid(rows, "\r\n"));
  const session_result result = run_program(answers);
  const std::string grid = "alto_21474836471231_2350_mod.asc";
  const import_step step = {grid, "21474836471231_2359", "21474836471231_2350"};
  EXPECT_FALSE(result.timed_out);
  EXPECT_EQ(result.output,
            console(std::string(dialogue_text) +
                        "\n ERROR FECHA: la fecha desborda el calendario y no avanza; se detienen "
                        "los pasos.\n",
                    {import_command(step.grid, step.end_stamp, step.start_stamp)}, closing_text));
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(read_file(grid), rewritten_grid(answers, rows));
  expect_batch_ran({step});
}

TEST_F(RunTest, ArgumentsAreIgnored) {
  options_.argv.push_back("--help");
  options_.argv.push_back("lluvia");
  event_answers answers;
  answers.end = answers.start;
  const session_result result = run_program(answers);
  EXPECT_EQ(result.output, console(dialogue_text, {}, closing_text));
  EXPECT_EQ(result.exit_status, 0);
}

}  // namespace
}  // namespace rainprep::test_support
