// Fuzzes the event clock: typed texts through the decimal conversion, any fields through
// clock_before, advance_clock and count_steps. A proper time is checked against a plain count
// of minutes in the fixed 365-day calendar; any other time against repeated one-hour advances.
// The sanitizers catch any arithmetic that overflows undefinedly.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <tuple>

#include "clock/clock_time.h"
#include "clock/step_names.h"
#include "expected_decimal.h"

namespace rainprep {
namespace {

using fuzz::expected_decimal;

// Wide enough for any minute count of 32-bit fields plus an interval.
__extension__ typedef __int128 wide;

constexpr std::int32_t int_max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t int_min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t month_days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr wide minutes_per_day = 24 * 60;
constexpr wide minutes_per_year = 365 * minutes_per_day;

void fail(const char* what) {
  std::fprintf(stderr, "fuzz_clock: %s\n", what);
  std::abort();
}

void check(bool ok, const char* what) {
  if (!ok) fail(what);
}

bool is_proper(const clock_time& t) {
  return t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= month_days[t.month - 1] &&
         t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59;
}

wide minute_count(const clock_time& t) {
  wide day_of_year = t.day - 1;
  for (int m = 1; m < t.month; ++m)
    day_of_year += month_days[m - 1];
  return wide{t.year} * minutes_per_year + day_of_year * minutes_per_day + t.hour * 60 + t.minute;
}

// The proper time a minute count stands for; the year wraps as two's complement, as the
// clock's own sums do.
clock_time from_minute_count(wide count) {
  wide year = count / minutes_per_year;
  wide rest = count % minutes_per_year;
  if (rest < 0) {
    rest += minutes_per_year;
    --year;
  }
  clock_time t;
  t.year = static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(year)));
  std::int32_t day = static_cast<std::int32_t>(rest / minutes_per_day);
  const std::int32_t minute_of_day = static_cast<std::int32_t>(rest % minutes_per_day);
  t.month = 1;
  while (day >= month_days[t.month - 1])
    day -= month_days[t.month++ - 1];
  t.day = day + 1;
  t.hour = minute_of_day / 60;
  t.minute = minute_of_day % 60;
  return t;
}

// A field: mostly in or near its proper range, sometimes anything, sometimes at the edges of
// 32 bits where the sums wrap.
std::int32_t consume_field(FuzzedDataProvider& data, std::int32_t low, std::int32_t high) {
  switch (data.ConsumeIntegralInRange(0, 3)) {
    case 0:
      return data.ConsumeIntegralInRange(low, high);
    case 1:
      return data.ConsumeIntegralInRange(low - 40, high + 40);
    case 2:
      return data.PickValueInArray({int_min, int_min + 1, -1, 0, int_max - 60, int_max - 59,
                                    int_max - 23, int_max - 1, int_max});
    default:
      return data.ConsumeIntegral<std::int32_t>();
  }
}

clock_time consume_clock(FuzzedDataProvider& data) {
  clock_time t;
  t.year = consume_field(data, -3000, 3000);
  t.month = consume_field(data, 1, 12);
  t.day = consume_field(data, 1, 31);
  t.hour = consume_field(data, 0, 23);
  t.minute = consume_field(data, 0, 59);
  return t;
}

std::int32_t consume_interval(FuzzedDataProvider& data) {
  switch (data.ConsumeIntegralInRange(0, 3)) {
    case 0:
      return data.ConsumeIntegralInRange(1, 60);
    case 1:
      return data.ConsumeIntegralInRange(-100, 200000);
    case 2:
      return data.PickValueInArray({int_min, -1, 0, 1, 60, 61, 1440, 525600, int_max});
    default:
      return data.ConsumeIntegral<std::int32_t>();
  }
}

void check_conversion(FuzzedDataProvider& data) {
  typed_instant typed;
  for (std::string* text : {&typed.year, &typed.month, &typed.day, &typed.hour, &typed.minute})
    *text = data.ConsumeRandomLengthString(40);
  const clock_time t = clock_from_texts(typed);
  check(t.year == expected_decimal(typed.year), "year text converted wrongly");
  check(t.month == expected_decimal(typed.month), "month text converted wrongly");
  check(t.day == expected_decimal(typed.day), "day text converted wrongly");
  check(t.hour == expected_decimal(typed.hour), "hour text converted wrongly");
  check(t.minute == expected_decimal(typed.minute), "minute text converted wrongly");
}

void check_order(const clock_time& a, const clock_time& b) {
  const auto fields = [](const clock_time& t) {
    return std::make_tuple(t.year, t.month, t.day, t.hour, t.minute);
  };
  check(clock_before(a, b) == (fields(a) < fields(b)), "clock_before disagrees with field order");
  check(!clock_before(a, a), "an instant is before itself");
}

void check_advance(const clock_time& start, std::int32_t interval) {
  clock_time t = start;
  advance_clock(t, interval);
  if (is_proper(start) && interval >= 1) {
    check(is_proper(t), "a proper time advanced to an improper one");
    check(t == from_minute_count(minute_count(start) + interval),
          "a proper time advanced to the wrong instant");
  }
  if (interval > 60 && interval / 60 <= 10000) {
    // The long advance must be exactly the one-hour advance repeated, then the rest.
    clock_time slow = start;
    for (std::int32_t i = 0; i < interval / 60; ++i)
      advance_clock(slow, 60);
    if (interval % 60 != 0) advance_clock(slow, interval % 60);
    check(t == slow, "a long interval differs from repeated hours");
  }
  // What makes the driver refuse such intervals: from a minute below 60 they never carry.
  const std::int64_t minute_sum = std::int64_t{start.minute} + interval;
  if (interval <= 0 && start.minute < 60 && minute_sum >= int_min) {
    check(!clock_before(start, t), "a non-positive interval moved the clock forward");
  }
  // The names of any instant are formed without failing; those of a proper one are padded.
  const step_texts texts = texts_from_clock(t);
  if (is_proper(t)) {
    check(texts.month.size() == 2 && texts.day.size() == 2 && texts.hour.size() == 2 &&
              texts.minute.size() == 2,
          "a proper time gave a text that is not two digits");
  }
}

void check_count(const clock_time& start, const clock_time& end, std::int32_t interval) {
  constexpr std::int64_t limit = 3000;
  const std::int64_t steps = count_steps(start, end, interval, limit);
  check(steps >= 0 && steps <= limit + 1, "count_steps went past its limit");
  check((steps == 0) == !clock_before(start, end), "count_steps ran without a step due");
  if (is_proper(start) && is_proper(end) && interval >= 1 && clock_before(start, end)) {
    const wide span = minute_count(end) - minute_count(start);
    const wide expected = (span + interval - 1) / interval;
    check(steps == (expected > limit ? limit + 1 : static_cast<std::int64_t>(expected)),
          "count_steps miscounted the steps between two proper times");
  }
}

}  // namespace
}  // namespace rainprep

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  using namespace rainprep;
  FuzzedDataProvider data(bytes, size);
  check_conversion(data);
  const clock_time a = consume_clock(data);
  const clock_time b = consume_clock(data);
  const std::int32_t interval = consume_interval(data);
  check_order(a, b);
  check_advance(a, interval);
  check_count(a, b, interval);
  return 0;
}
