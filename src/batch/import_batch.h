// The import batch bat.bat in the working directory: one asc2dssGrid line per step, run
// through the command interpreter once the steps are done.
#pragma once

#include <memory>
#include <string>

#include "platform/console_output.h"
#include "platform/file.h"
#include "platform/text_file.h"

namespace rainprep {

class import_batch {
 public:
  // Creates or empties bat.bat. Prints the BAT message and returns false if it cannot; the
  // batch then stays closed and takes no lines.
  bool open(console_output& output);
  bool is_open() const { return file_ != nullptr; }

  // Appends the step's line. A line that cannot be written safely is left out, with a
  // message.
  void write_import_line(const std::string& destination_name, const std::string& start_stamp,
                         const std::string& end_stamp, console_output& output);

  // Writes out and closes the file, printing the bat message if that fails.
  void close(console_output& output);

 private:
  std::unique_ptr<os_file> file_;
  std::unique_ptr<text_writer> writer_;
};

// Runs bat.bat through the command interpreter and waits for it, without a time limit. What
// the interpreter and the import tool do is not examined.
void run_import_batch();

}  // namespace rainprep
