// The end-to-end fixture for rainprep.exe under Wine: the program runs in the scratch folder
// through Wine's loader, bat.bat is run by Wine's own cmd.exe, and a stand-in asc2dssGrid.exe
// on the Windows PATH records every call it receives.
#pragma once

#include <string>
#include <vector>

#include "event_fixture.h"

namespace rainprep::test_support {

// `text` with every line break as CR LF, as a Windows program's standard output in text mode
// hands it to the console.
std::string crlf(const std::string& text);

// The batch line for the grid named by `in` (as it stands in the line, quotes and all), with
// the pathname's two stamps; without its line break.
std::string import_command(const std::string& in, const std::string& end_stamp,
                           const std::string& start_stamp = "20240406_1000");

// What the stand-in import tool logs for one call of that line, given the in= argument as the
// tool receives it.
std::string import_call(const std::string& in, const std::string& end_stamp,
                        const std::string& start_stamp = "20240406_1000");

class wine_fixture : public event_fixture {
 public:
  // Needs WINEPREFIX set to a prefix whose server is already running (run_wine_tests.sh).
  void SetUp() override;

  // Runs rainprep.exe, typing each answer and then `enter` after its prompt. A Windows
  // console hands the program CR LF for the Enter key.
  session_result run_console(const event_answers& answers, const std::string& enter = "\r\n");
  session_result run_console_typed(const std::vector<std::string>& typed,
                                   const std::string& enter = "\r\n");

  // What the console shows for a run: `before` is the program's text up to the batch,
  // `batch_lines` the commands cmd.exe echoes as it runs them (after its own % expansion),
  // `after` the program's text once the batch is done. Line breaks are given as "\n".
  std::string console(const std::string& before, const std::vector<std::string>& batch_lines,
                      const std::string& after) const;

  // The scratch folder as Windows names it.
  std::string windows_directory() const;

  // Every call of the stand-in import tool: its arguments one per line, then "--".
  std::string import_calls() const { return read_file("bin/calls.txt"); }
};

}  // namespace rainprep::test_support
