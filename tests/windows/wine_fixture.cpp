#include "wine_fixture.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace rainprep::test_support {

std::string crlf(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::string import_command(const std::string& in, const std::string& end_stamp,
                           const std::string& start_stamp) {
  return "asc2dssGrid in=" + in + " dss=truvodss.dss path=/SHG/TEST/PRECIP/" + start_stamp + "/" +
         end_stamp + "/IMPORT/;";
}

std::string import_call(const std::string& in, const std::string& end_stamp,
                        const std::string& start_stamp) {
  return "in=" + in + "\ndss=truvodss.dss\npath=/SHG/TEST/PRECIP/" + start_stamp + "/" + end_stamp +
         "/IMPORT/;\n--\n";
}

void wine_fixture::SetUp() {
  event_fixture::SetUp();
  // Without a private prefix and a server already running, the first Wine program would start
  // the server, which would then hold that test's pipes open for good.
  ASSERT_NE(std::getenv("WINEPREFIX"), nullptr) << "run these tests through run_wine_tests.sh";
  make_directory("bin");
  // A copy per folder, so that each test's calls are logged beside its own tool.
  std::ifstream tool(RAINPREP_STAND_IN_TOOL, std::ios::binary);
  std::ostringstream bytes;
  bytes << tool.rdbuf();
  ASSERT_FALSE(bytes.str().empty()) << RAINPREP_STAND_IN_TOOL;
  write_file("bin/asc2dssGrid.exe", bytes.str());

  options_.argv = {RAINPREP_WINE, RAINPREP_EXE};
  // Wine sets COMSPEC to its own cmd.exe, and puts WINEPATH in front of the Windows PATH.
  options_.environment = {{"WINEPATH", windows_directory() + "\\bin"}};
  options_.unset_environment = {"COMSPEC"};
}

session_result wine_fixture::run_console(const event_answers& answers, const std::string& enter) {
  return run_console_typed(answers.typed(), enter);
}

session_result wine_fixture::run_console_typed(const std::vector<std::string>& typed,
                                               const std::string& enter) {
  prompt_session session(options_);
  const auto& prompts = answer_prompts();
  for (std::size_t i = 0; i < typed.size() && i < prompts.size(); ++i) {
    if (!session.wait_for(prompts[i])) break;
    session.type(typed[i] + enter);
  }
  return session.finish();
}

std::string wine_fixture::console(const std::string& before,
                                  const std::vector<std::string>& batch_lines,
                                  const std::string& after) const {
  // With echo on, cmd.exe shows an empty line, then its prompt (the working directory and
  // ">") and the command before running it; Wine's cmd.exe ends the command with a blank.
  std::string text = crlf(before);
  for (const auto& line : batch_lines)
    text += "\r\n" + windows_directory() + ">" + line + " \r\n";
  return text + crlf(after);
}

std::string wine_fixture::windows_directory() const {
  // Wine's drive Z: is the root of the file system.
  std::string name = "Z:" + directory_;
  for (char& c : name) {
    if (c == '/') c = '\\';
  }
  return name;
}

}  // namespace rainprep::test_support
