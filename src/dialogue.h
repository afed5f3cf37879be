// The console dialogue: the Spanish headings and prompts, and the answers kept as typed.
#pragma once

#include <cstdint>
#include <string>

#include "clock/clock_time.h"
#include "platform/console_input.h"
#include "platform/console_output.h"

namespace rainprep {

struct dialogue_answers {
  std::string xllcorner;
  std::string yllcorner;
  std::string cellsize;
  typed_instant start;
  typed_instant end;
  std::string base_name;
  std::int32_t interval = 0;
};

// Asks every question in order and stores the answers unvalidated. Answers missing because
// the input ended stay empty (or 0 for the interval).
dialogue_answers run_dialogue(console_input& input, console_output& output);

}  // namespace rainprep
