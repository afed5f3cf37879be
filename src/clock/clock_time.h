// The event clock: the date and time of a step in a simplified calendar of fixed month
// lengths (February always 28 days, no leap years), compared and advanced by minutes.
#pragma once

#include <cstdint>
#include <string>

namespace rainprep {

struct clock_time {
  std::int32_t year = 0;
  std::int32_t month = 0;
  std::int32_t day = 0;
  std::int32_t hour = 0;
  std::int32_t minute = 0;
};

bool operator==(const clock_time& a, const clock_time& b);

// The five date-time answers for one instant, kept exactly as typed.
struct typed_instant {
  std::string day;
  std::string month;
  std::string year;
  std::string hour;
  std::string minute;
};

// Converts each text by the decimal rule: a text without digits gives 0, values beyond the
// 32-bit range saturate. Never fails.
clock_time clock_from_texts(const typed_instant& typed);

// True when a is strictly earlier than b, comparing year, month, day, hour, minute in turn.
bool clock_before(const clock_time& a, const clock_time& b);

// Moves t on by interval minutes. Up to 60 this is the single-carry advance (the minute
// carries into the hour at most once, the hour into the day at most once); any value is
// accepted, sums wrap as two's complement. Above 60 it is the same advance applied with 60
// minutes as often as the interval holds whole hours, then once with the remaining minutes,
// so long intervals still give proper times of day.
void advance_clock(clock_time& t, std::int32_t interval);

// The number of steps a run from start towards end would make, stopping early where an
// advance fails to move the clock forward (an overflow). Counting stops at limit + 1.
std::int64_t count_steps(const clock_time& start, const clock_time& end, std::int32_t interval,
                         std::int64_t limit);

}  // namespace rainprep
