// A scratch folder for one run of the built program, with a stand-in command interpreter
// that records how it was called, and helpers to lay out grids and read the results back.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogue_text.h"
#include "prompt_session.h"

namespace rainprep::test_support {

// The answers of one run, as typed.
struct event_answers {
  std::string xllcorner = "400000";
  std::string yllcorner = "4500000";
  std::string cellsize = "1000";
  std::vector<std::string> start = {"06", "04", "2024", "10", "00"};  // day month year hour min
  std::vector<std::string> end = {"06", "04", "2024", "11", "00"};
  std::string base_name = "lluvia";
  std::string interval = "15";

  std::vector<std::string> typed() const;
};

// Six header lines and the given data rows, each line ending in `line_break`.
std::string source_grid(const std::vector<std::string>& rows, const std::string& line_break);

// The rewritten grid for a source of six header lines and these rows, and these answers.
std::string rewritten_grid(const event_answers& answers, const std::vector<std::string>& rows);

class event_fixture : public ::testing::Test {
 public:
  void SetUp() override;
  void TearDown() override;
  // An empty folder again, for the next row of a table.
  void start_over() {
    TearDown();
    SetUp();
  }

  std::string path(const std::string& name) const { return directory_ + "/" + name; }
  void write_file(const std::string& name, const std::string& bytes) const;
  // Writes an executable shell script.
  void write_script(const std::string& name, const std::string& body) const;
  // The bytes of a regular file; empty for anything else or nothing.
  std::string read_file(const std::string& name) const;
  bool exists(const std::string& name) const;
  void make_directory(const std::string& name) const;
  // The names in the folder (not below it), sorted.
  std::vector<std::string> listing(const std::string& name = "") const;

  // Runs the program in the folder, typing each answer after its prompt. COMSPEC names the
  // recording interpreter unless the test changed `options_`.
  session_result run(const event_answers& answers);
  session_result run_typed(const std::vector<std::string>& typed);

  // What the recording interpreter saw: its arguments one per line, its working directory,
  // and bat.bat as it was when it ran. Empty if it did not run.
  std::string interpreter_arguments() const { return read_file("tools/interpreter_args.txt"); }
  std::string interpreter_directory() const { return read_file("tools/interpreter_cwd.txt"); }
  std::string interpreter_saw() const { return read_file("tools/interpreter_saw.bat"); }
  bool interpreter_ran() const { return exists("tools/interpreter_args.txt"); }

  std::string directory_;
  session_options options_;
};

}  // namespace rainprep::test_support
