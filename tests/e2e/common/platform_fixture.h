// The end-to-end fixture the Linux and the Wine tests share: a scratch folder, the program run
// in it, and what the console and the import tool show. Each build links its own implementation
// of how the program runs and of what records the batch (platform_fixture_linux.cpp, or
// tests/windows/wine_fixture.cpp); the portable helpers are in platform_fixture.cpp.
#pragma once

#include <string>
#include <vector>

#include "event_fixture.h"

namespace rainprep::test_support {

// The batch line for the grid named by `in` (as it stands in the line, quotes and all), with
// the pathname's two stamps; without its line break.
std::string import_command(const std::string& in, const std::string& end_stamp,
                           const std::string& start_stamp = "20240406_1000");

// What a logging import tool records for one call of that line, given the in= argument as the
// tool receives it: its arguments one per line, then "--".
std::string import_call(const std::string& in, const std::string& end_stamp,
                        const std::string& start_stamp = "20240406_1000");

// One line of bat.bat: a grid whose name needs no quoting, and the pathname's two stamps.
struct import_step {
  std::string grid;
  std::string end_stamp;
  std::string start_stamp = "20240406_1000";
};

class platform_fixture : public event_fixture {
 public:
  // The scratch folder, with the batch's runner in place: the recording interpreter on Linux,
  // Wine's cmd.exe and the logging stand-in asc2dssGrid.exe under Wine.
  void SetUp() override;

  // Runs the program, typing each answer and the platform's Enter after its prompt.
  session_result run_program(const event_answers& answers);
  // The line break the platform's console sends for Enter.
  std::string typed_line_break() const;

  // What the console shows for a run: `before` is the program's text up to the batch,
  // `batch_lines` the commands as the batch's runner echoes them (cmd.exe does, the recording
  // interpreter does not), `after` the program's text once the batch is done. Line breaks are
  // given as "\n".
  std::string console(const std::string& before, const std::vector<std::string>& batch_lines,
                      const std::string& after) const;

  // Checks that the batch was run and carried exactly these lines, in order: what the recording
  // interpreter saw in bat.bat, or what the stand-in import tool received from cmd.exe.
  void expect_batch_ran(const std::vector<import_step>& steps) const;
  // Checks that nothing of the batch ran.
  void expect_batch_not_run() const;

  // Writes a source grid of six header lines and `rows`, with CR LF, for each time of day.
  void lay_out(const std::string& base, const std::vector<std::string>& hhmm,
               const std::vector<std::string>& rows) const;
  // The rewritten grids in the folder, sorted.
  std::vector<std::string> rewritten() const;
};

// The batch's lines for these steps, each with its line break, as bat.bat has them.
std::string batch_text(const std::vector<import_step>& steps);

}  // namespace rainprep::test_support
