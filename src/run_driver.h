// The run: the dialogue, then one step per interval from the start of the rain up to (not
// including) its end, then the import batch and the closing message.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/console_input.h"
#include "platform/console_output.h"

namespace rainprep {

// The most steps a run accepts; more is taken for a slip in the dates or the interval.
constexpr std::int64_t max_run_steps = 1000000;

// Runs the whole program in the working directory. `run_batch` runs the finished bat.bat
// (run_import_batch in the program; tests pass a fake). Returns the exit status: 0, or 1 if
// any failure message was printed.
int run_program(console_input& input, console_output& output,
                const std::function<void()>& run_batch);

}  // namespace rainprep
