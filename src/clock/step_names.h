// The texts formed from dates: a step's date texts and grid file names, and the two stamps
// of the event that go into every import line.
#pragma once

#include <string>

#include "clock/clock_time.h"

namespace rainprep {

struct step_texts {
  std::string year;
  std::string month;
  std::string day;
  std::string hour;
  std::string minute;
};

// A text shorter than two characters gets a leading "0"; a longer one is left as it is.
void pad_two_digits(std::string& text);

// The year in decimal as it comes; month, day, hour and minute padded to two characters.
step_texts texts_from_clock(const clock_time& t);

// base_YYYYMMDD_hhmm.asc and base_YYYYMMDD_hhmm_mod.asc, the base name used unchanged.
std::string source_name(const std::string& base_name, const step_texts& texts);
std::string destination_name(const std::string& base_name, const step_texts& texts);

// Year, month and day, "_", hour and minute, exactly as typed: not converted, not padded.
std::string stamp_from_typed(const typed_instant& typed);

}  // namespace rainprep
