// The run as a whole: the dialogue on the console, the walk over the steps, the ending.
#include <string>
#include <vector>

#include "event_fixture.h"

namespace rainprep::test_support {
namespace {

const std::vector<std::string> rows = {"0 0 1.5 -9999", "0 2.25 3 -9999"};

class RunTest : public event_fixture {
 protected:
  // Source grids for every quarter hour from 10:00 to 11:00 on 6 April 2024.
  void lay_out_quarter_hours() {
    for (const char* hhmm : {"1000", "1015", "1030", "1045", "1100"}) {
      write_file(std::string("lluvia_20240406_") + hhmm + ".asc", source_grid(rows, "\r\n"));
    }
  }
  std::vector<std::string> rewritten() {
    std::vector<std::string> names;
    for (const auto& name : listing()) {
      if (name.find("_mod.asc") != std::string::npos) names.push_back(name);
    }
    return names;
  }
};

TEST_F(RunTest, TypedAnswersGiveTheDialogueAndTheClosingMessage) {
  event_answers answers;
  answers.end = answers.start;
  const session_result result = run(answers);
  EXPECT_FALSE(result.timed_out);
  EXPECT_EQ(result.output, std::string(dialogue_text) + closing_text);
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(read_file("bat.bat"), "");
  EXPECT_TRUE(interpreter_ran());
}

TEST_F(RunTest, AnswersSentAllAtOnceFillOnlyTheFirstField) {
  lay_out_quarter_hours();
  std::string all;
  for (const auto& answer : event_answers().typed())
    all += answer + "\n";
  prompt_session session(options_);
  ASSERT_TRUE(session.wait_for(answer_prompts()[0]));
  session.type(all);
  const session_result result = session.finish();
  // The first read took in every answer and the next prompt's discard dropped them: the dates
  // stay empty, so start and end are equal and no step runs.
  EXPECT_EQ(result.output, std::string(dialogue_text) + closing_text);
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(rewritten(), std::vector<std::string>{});
  EXPECT_EQ(read_file("bat.bat"), "");
}

TEST_F(RunTest, StepsRunFromTheStartUpToButNotIncludingTheEnd) {
  struct steps_case {
    const char* name;
    std::vector<std::string> end;
    std::vector<std::string> grids;
  };
  const steps_case cases[] = {
      {"end equal to start", {"06", "04", "2024", "10", "00"}, {}},
      {"end before start", {"06", "04", "2024", "09", "00"}, {}},
      {"one hour every 15 minutes",
       {"06", "04", "2024", "11", "00"},
       {"lluvia_20240406_1000_mod.asc", "lluvia_20240406_1015_mod.asc",
        "lluvia_20240406_1030_mod.asc", "lluvia_20240406_1045_mod.asc"}},
  };
  for (const auto& c : cases) {
    start_over();
    lay_out_quarter_hours();
    event_answers answers;
    answers.end = c.end;
    const session_result result = run(answers);
    EXPECT_EQ(rewritten(), c.grids) << c.name;
    EXPECT_EQ(result.output, std::string(dialogue_text) + closing_text) << c.name;
    EXPECT_EQ(result.exit_status, 0) << c.name;
    EXPECT_TRUE(interpreter_ran()) << c.name;
  }
}

TEST_F(RunTest, IntervalsThatCannotEndAreRefused) {
  const char* const message = "\n ERROR INTERVALO: el intervalo de tiempo debe ser mayor que 0.\n";
  for (const char* interval : {"0", "-1", "diez", ""}) {
    start_over();
    lay_out_quarter_hours();
    write_file("bat.bat", "asc2dssGrid old line\r\n");
    event_answers answers;
    answers.interval = interval;
    const session_result result = run(answers);
    EXPECT_EQ(result.output, std::string(dialogue_text) + message) << interval;
    EXPECT_EQ(result.exit_status, 1) << interval;
    EXPECT_EQ(rewritten(), std::vector<std::string>{}) << interval;
    EXPECT_EQ(read_file("bat.bat"), "") << interval;
    EXPECT_FALSE(interpreter_ran()) << interval;
  }
}

TEST_F(RunTest, ZeroIntervalIsHarmlessWhenNoStepIsDue) {
  event_answers answers;
  answers.end = answers.start;
  answers.interval = "0";
  const session_result result = run(answers);
  EXPECT_EQ(result.output, std::string(dialogue_text) + closing_text);
  EXPECT_EQ(result.exit_status, 0);
}

TEST_F(RunTest, DatesThatWouldNeverEndAreRefused) {
  event_answers answers;
  answers.end = {"06", "04", "99999999999", "11", "00"};
  answers.interval = "1";
  const session_result result = run(answers);
  EXPECT_FALSE(result.timed_out);
  EXPECT_EQ(result.output,
            std::string(dialogue_text) +
                "\n ERROR FECHA: la lluvia abarca mas de 1000000 intervalos; revise las fechas y "
                "el intervalo.\n");
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_FALSE(interpreter_ran());
}

TEST_F(RunTest, AnAdvanceThatOverflowsStopsTheSteps) {
  event_answers answers;
  answers.start = {"31", "12", "2147483647", "23", "50"};
  answers.end = {"31", "12", "2147483647", "23", "59"};
  answers.base_name = "alto";
  write_file("alto_21474836471231_2350.asc", source_grid(rows, "\r\n"));
  const session_result result = run(answers);
  EXPECT_FALSE(result.timed_out);
  EXPECT_EQ(result.output,
            std::string(dialogue_text) +
                "\n ERROR FECHA: la fecha desborda el calendario y no avanza; se detienen los "
                "pasos.\n" +
                closing_text);
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_TRUE(exists("alto_21474836471231_2350_mod.asc"));
  EXPECT_EQ(interpreter_saw(),
            "asc2dssGrid in=alto_21474836471231_2350_mod.asc dss=truvodss.dss "
            "path=/SHG/TEST/PRECIP/21474836471231_2350/21474836471231_2359/IMPORT/;\r\n");
}

TEST_F(RunTest, ArgumentsAreIgnored) {
  options_.argv.push_back("--help");
  options_.argv.push_back("lluvia");
  event_answers answers;
  answers.end = answers.start;
  const session_result result = run(answers);
  EXPECT_EQ(result.output, std::string(dialogue_text) + closing_text);
  EXPECT_EQ(result.exit_status, 0);
}

}  // namespace
}  // namespace rainprep::test_support
