// Synthetic rain grids for benchmarks and demonstrations: the six header lines of an ASCII
// grid, then rows in which cells outside an oval catchment are -9999, dry cells 0, and a rain
// cell that crosses the grid from one step of the event to the next has values such as 0.25
// or 3.7. The bytes depend only on the arguments.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace rainprep::bench {

struct grid_shape {
  long rows = 1012;
  long cols = 1200;
  bool lf_only = false;  // lines end in LF alone instead of CR LF
};

// Receives the grid's text in pieces of about a megabyte at most, in order; returns false to
// stop the writing.
using grid_output = std::function<bool(const char* data, std::size_t size)>;

// Writes grid `step` of an event of `steps` grids (0 <= step < steps). Every line ends with a
// line break, the last row's too. False if `output` refused a piece.
bool write_event_grid(const grid_shape& shape, int step, int steps, const grid_output& output);

// The whole grid as one text, for grids small enough to hold in memory.
std::string event_grid_text(const grid_shape& shape, int step, int steps);

// The corner and cell size that the grids' headers carry, as typed in the dialogue.
inline constexpr const char* event_xllcorner = "-2324000";
inline constexpr const char* event_yllcorner = "5100000";
inline constexpr const char* event_cellsize = "2000";

}  // namespace rainprep::bench
