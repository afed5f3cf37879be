#include "wine_fixture.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace rainprep::test_support {
namespace {

// Types each answer and then `enter` after its prompt, and collects the run.
session_result run_console_typed(const session_options& options,
                                 const std::vector<std::string>& typed, const std::string& enter) {
  prompt_session session(options);
  const auto& prompts = answer_prompts();
  for (std::size_t i = 0; i < typed.size() && i < prompts.size(); ++i) {
    if (!session.wait_for(prompts[i])) break;
    session.type(typed[i] + enter);
  }
  return session.finish();
}

// A folder as Windows names it: Wine's drive Z: is the root of the file system.
std::string windows_name(const std::string& directory) {
  std::string name = "Z:" + directory;
  for (char& c : name) {
    if (c == '/') c = '\\';
  }
  return name;
}

}  // namespace

std::string crlf(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

void platform_fixture::SetUp() {
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
  options_.environment = {{"WINEPATH", windows_name(directory_) + "\\bin"}};
  options_.unset_environment = {"COMSPEC"};
}

session_result platform_fixture::run_program(const event_answers& answers) {
  return run_console_typed(options_, answers.typed(), typed_line_break());
}

std::string platform_fixture::typed_line_break() const {
  return "\r\n";
}

std::string platform_fixture::console(const std::string& before,
                                      const std::vector<std::string>& batch_lines,
                                      const std::string& after) const {
  // With echo on, cmd.exe shows an empty line, then its prompt (the working directory and
  // ">") and the command before running it; Wine's cmd.exe ends the command with a blank.
  std::string text = crlf(before);
  for (const auto& line : batch_lines)
    text += "\r\n" + windows_name(directory_) + ">" + line + " \r\n";
  return text + crlf(after);
}

void platform_fixture::expect_batch_ran(const std::vector<import_step>& steps) const {
  // An empty batch leaves no trace of its run: the console shows nothing and no tool is called.
  std::string calls;
  for (const auto& step : steps)
    calls += import_call(step.grid, step.end_stamp, step.start_stamp);
  EXPECT_EQ(read_file("bin/calls.txt"), calls);
}

void platform_fixture::expect_batch_not_run() const {
  EXPECT_EQ(read_file("bin/calls.txt"), "");
}

session_result wine_fixture::run_console(const event_answers& answers, const std::string& enter) {
  return run_console_typed(options_, answers.typed(), enter);
}

}  // namespace rainprep::test_support
