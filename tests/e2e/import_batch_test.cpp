// bat.bat on Linux: how the interpreter is called, and the fallback that runs the batch's lines
// directly where no interpreter exists; what the batch holds on both platforms is in
// common/import_batch_test.cpp.
#include <string>
#include <vector>

#include "platform_fixture.h"

namespace rainprep::test_support {
namespace {

const std::vector<std::string> rows = {"0 0.5 1 -9999"};

class PosixImportBatchTest : public platform_fixture {
 protected:
  void lay_out(const std::string& base, const std::vector<std::string>& hhmm) {
    platform_fixture::lay_out(base, hhmm, rows);
  }
  // A stand-in import tool on PATH that logs its arguments, one per line, a call per block.
  void install_import_tool() {
    make_directory("bin");
    write_script("bin/asc2dssGrid",
                 "log=\"${0%/*}/calls.txt\"\n"
                 "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$log\"; done\n"
                 "printf -- '--\\n' >> \"$log\"\n");
  }
  // No interpreter anywhere: the lines are run directly.
  void remove_interpreters() {
    options_.environment = {{"PATH", path("bin")}};
    options_.unset_environment = {"COMSPEC"};
  }
};

TEST_F(PosixImportBatchTest, TheInterpreterRunsTheFinalFileInTheWorkingFolder) {
  lay_out("lluvia", {"1000", "1015", "1030"});
  event_answers answers;
  answers.end = {"06", "04", "2024", "10", "45"};
  const session_result result = run(answers);
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(interpreter_arguments(), "/c\nbat.bat\n");
  EXPECT_EQ(interpreter_directory(), directory_ + "\n");
  EXPECT_EQ(interpreter_saw(), batch_text({{"lluvia_20240406_1000_mod.asc", "20240406_1045"},
                                           {"lluvia_20240406_1015_mod.asc", "20240406_1045"},
                                           {"lluvia_20240406_1030_mod.asc", "20240406_1045"}}));
}

TEST_F(PosixImportBatchTest, CmdExeInTheWorkingDirectoryStandsInForAMissingComspec) {
  lay_out("lluvia", {"1000"});
  write_script("cmd.exe", "printf '%s\\n' \"$@\" > cmd_args.txt\n");
  options_.environment = {{"COMSPEC", path("no/such/interpreter")}};
  event_answers answers;
  answers.end = {"06", "04", "2024", "10", "15"};
  const session_result result = run(answers);
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(read_file("cmd_args.txt"), "/c\nbat.bat\n");
}

TEST_F(PosixImportBatchTest, WithoutAnInterpreterEachLineRunsAsOneCommand) {
  lay_out("lluvia", {"1000", "1015"});
  install_import_tool();
  remove_interpreters();
  event_answers answers;
  answers.end = {"06", "04", "2024", "10", "30"};
  const session_result result = run(answers);
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(read_file("bin/calls.txt"),
            "in=lluvia_20240406_1000_mod.asc\ndss=truvodss.dss\n"
            "path=/SHG/TEST/PRECIP/20240406_1000/20240406_1030/IMPORT/;\n--\n"
            "in=lluvia_20240406_1015_mod.asc\ndss=truvodss.dss\n"
            "path=/SHG/TEST/PRECIP/20240406_1000/20240406_1030/IMPORT/;\n--\n");
  EXPECT_EQ(result.output, std::string(dialogue_text) + closing_text);
}

TEST_F(PosixImportBatchTest, AMissingImportToolIsReportedLikeAShellWould) {
  lay_out("lluvia", {"1000"});
  make_directory("bin");
  remove_interpreters();
  event_answers answers;
  answers.end = {"06", "04", "2024", "10", "15"};
  const session_result result = run(answers);
  EXPECT_EQ(result.errors, "bat.bat: line 1: asc2dssGrid: command not found\n");
  EXPECT_EQ(result.output, std::string(dialogue_text) + closing_text);
  EXPECT_EQ(result.exit_status, 0);
}

TEST_F(PosixImportBatchTest, NamesTheInterpreterWouldSplitAreQuoted) {
  struct quoting_case {
    const char* base;
    const char* line;
    const char* argument;  // what the import tool receives as its first argument
  };
  const quoting_case cases[] = {
      {"mi lluvia",
       "asc2dssGrid in=\"mi lluvia_20240406_1000_mod.asc\" dss=truvodss.dss "
       "path=/SHG/TEST/PRECIP/20240406_1000/20240406_1015/IMPORT/;\r\n",
       "in=mi lluvia_20240406_1000_mod.asc"},
      {"a&echo",
       "asc2dssGrid in=\"a&echo_20240406_1000_mod.asc\" dss=truvodss.dss "
       "path=/SHG/TEST/PRECIP/20240406_1000/20240406_1015/IMPORT/;\r\n",
       "in=a&echo_20240406_1000_mod.asc"},
      {"50%lluvia",
       "asc2dssGrid in=\"50%%lluvia_20240406_1000_mod.asc\" dss=truvodss.dss "
       "path=/SHG/TEST/PRECIP/20240406_1000/20240406_1015/IMPORT/;\r\n",
       "in=50%lluvia_20240406_1000_mod.asc"},
  };
  for (const auto& c : cases) {
    start_over();
    lay_out(c.base, {"1000"});
    install_import_tool();
    // Were the line split at the &, this would run as a second command.
    write_script("bin/echo_20240406_1000_mod.asc", ": > \"${0%/*}/second_command\"\n");
    remove_interpreters();
    event_answers answers;
    answers.base_name = c.base;
    answers.end = {"06", "04", "2024", "10", "15"};
    const session_result result = run(answers);
    EXPECT_EQ(result.exit_status, 0) << c.base;
    EXPECT_EQ(read_file("bat.bat"), c.line) << c.base;
    EXPECT_EQ(read_file("bin/calls.txt"),
              std::string(c.argument) +
                  "\ndss=truvodss.dss\npath=/SHG/TEST/PRECIP/20240406_1000/20240406_1015/IMPORT/;"
                  "\n--\n")
        << c.base;
    EXPECT_FALSE(exists("bin/second_command")) << c.base;
  }
}

TEST_F(PosixImportBatchTest, AQuoteInANameLeavesItsLineOut) {
  lay_out("di\"jo", {"1000"});
  event_answers answers;
  answers.base_name = "di\"jo";
  answers.end = {"06", "04", "2024", "10", "15"};
  const session_result result = run(answers);
  EXPECT_EQ(result.output,
            std::string(dialogue_text) +
                "\n ERROR BAT: el nombre o la fecha lleva comillas o caracteres de control; no se "
                "escribe la linea de importacion.\n" +
                closing_text);
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_TRUE(exists("di\"jo_20240406_1000_mod.asc"));
  EXPECT_EQ(read_file("bat.bat"), "");
}

}  // namespace
}  // namespace rainprep::test_support
