// The end-to-end fixture for rainprep.exe under Wine: the program runs in the scratch folder
// through Wine's loader, bat.bat is run by Wine's own cmd.exe, and a stand-in asc2dssGrid.exe
// on the Windows PATH records every call it receives. Its SetUp and the rest of the shared
// fixture's platform side are implemented in wine_fixture.cpp.
#pragma once

#include <string>
#include <vector>

#include "platform_fixture.h"

namespace rainprep::test_support {

// `text` with every line break as CR LF, as a Windows program's standard output in text mode
// hands it to the console.
std::string crlf(const std::string& text);

class wine_fixture : public platform_fixture {
 public:
  // Runs rainprep.exe, typing each answer and then `enter` after its prompt. A Windows
  // console hands the program CR LF for the Enter key.
  session_result run_console(const event_answers& answers, const std::string& enter = "\r\n");

  // Every call of the stand-in import tool: its arguments one per line, then "--".
  std::string import_calls() const { return read_file("bin/calls.txt"); }
};

}  // namespace rainprep::test_support
