// The rewrite of one step's grid: the source's six header lines replaced by the fixed header
// (1200 by 1012 cells, the typed corner and cell size, no-data value -9999), the data copied.
#pragma once

#include <memory>
#include <string>

#include "dialogue.h"
#include "platform/console_output.h"
#include "platform/file.h"
#include "platform/text_file.h"

namespace rainprep {

// Writes the six header pieces. The last has no line break, so the no-data value and the
// source's seventh line share a line.
void write_grid_header(text_writer& destination, const dialogue_answers& answers);

// Drops the source's first six reads of at most 999 characters each (the header lines, as
// long as each is shorter than that), then copies everything after them unchanged.
void copy_grid_data(text_reader& source, text_writer& destination);

// The two grid files of one step, open from rewrite_grid until close_step_grids.
struct step_grids {
  std::unique_ptr<os_file> source_file;
  std::unique_ptr<os_file> destination_file;
  std::unique_ptr<text_reader> source;
  std::unique_ptr<text_writer> destination;
};

// Opens both grids, writes the header and copies the data, leaving both files open. If the
// source cannot be opened the destination is not created; if the destination cannot be
// opened the source is closed. Either prints its message and returns false.
bool rewrite_grid(const std::string& source_name, const std::string& destination_name,
                  const dialogue_answers& answers, step_grids& grids, console_output& output);

// Closes the source, then the destination, printing a message for each one whose reading,
// writing or closing failed.
void close_step_grids(step_grids& grids, console_output& output);

}  // namespace rainprep
