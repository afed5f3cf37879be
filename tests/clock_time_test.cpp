#include "clock/clock_time.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>

namespace rainprep {

std::ostream& operator<<(std::ostream& out, const clock_time& t) {
  return out << t.year << "-" << t.month << "-" << t.day << " " << t.hour << ":" << t.minute;
}

namespace {

constexpr std::int32_t int_max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t int_min = std::numeric_limits<std::int32_t>::min();

struct advance_case {
  const char* name;
  clock_time before;
  std::int32_t interval;
  clock_time after;
};

TEST(AdvanceClock, Table) {
  const advance_case cases[] = {
      {"within the hour", {2024, 4, 6, 10, 55}, 10, {2024, 4, 6, 11, 5}},
      {"midnight", {2024, 4, 6, 23, 50}, 10, {2024, 4, 7, 0, 0}},
      {"30 January", {2024, 1, 30, 23, 50}, 10, {2024, 1, 31, 0, 0}},
      {"31 January", {2024, 1, 31, 23, 50}, 10, {2024, 2, 1, 0, 0}},
      {"28 February", {2024, 2, 28, 23, 50}, 10, {2024, 3, 1, 0, 0}},
      {"typed 29 February", {2023, 2, 29, 23, 50}, 10, {2023, 3, 2, 0, 0}},
      {"15 December", {2024, 12, 15, 23, 50}, 10, {2024, 12, 16, 0, 0}},
      {"30 April", {2024, 4, 30, 23, 50}, 10, {2024, 5, 1, 0, 0}},
      {"30 November", {2024, 11, 30, 23, 50}, 10, {2024, 12, 1, 0, 0}},
      {"31 December", {2024, 12, 31, 23, 50}, 10, {2025, 1, 1, 0, 0}},
      {"one hour", {2024, 4, 6, 8, 30}, 60, {2024, 4, 6, 9, 30}},
      {"minute typed out of range carries once", {2024, 4, 6, 8, 130}, 10, {2024, 4, 6, 9, 80}},
      {"month 13 rolls into the next year", {2024, 13, 30, 23, 0}, 60, {2025, 2, 1, 0, 0}},
      {"zero interval", {2024, 4, 6, 8, 30}, 0, {2024, 4, 6, 8, 30}},
      {"negative interval", {2024, 4, 6, 8, 30}, -45, {2024, 4, 6, 8, -15}},
      {"61 minutes", {2024, 4, 6, 8, 30}, 61, {2024, 4, 6, 9, 31}},
      {"daily", {2024, 2, 28, 6, 0}, 1440, {2024, 3, 1, 6, 0}},
      {"a year of minutes", {2024, 7, 14, 23, 10}, 525600, {2025, 7, 14, 23, 10}},
      {"largest interval",
       {2024, 1, 1, 0, 0},
       int_max,
       // 2147483647 minutes: 4085 years of 365 days, 283 days, 2 hours, 7 minutes.
       {6109, 10, 11, 2, 7}},
      {"minute wraps", {2024, 4, 6, 8, int_max}, 1, {2024, 4, 6, 8, int_min}},
      {"year wraps", {int_max, 12, 31, 23, 59}, 1, {int_min, 1, 1, 0, 0}},
  };
  for (const auto& c : cases) {
    clock_time t = c.before;
    advance_clock(t, c.interval);
    EXPECT_EQ(t, c.after) << c.name;
  }
}

// Long intervals must land exactly where repeated 60-minute advances land, for proper and
// improper typed times alike.
TEST(AdvanceClock, LongIntervalsMatchRepeatedHours) {
  const clock_time starts[] = {
      {2024, 1, 1, 0, 0},
      {2024, 2, 28, 23, 59},
      {2023, 2, 29, 5, 0},
      {2024, 12, 31, 23, 0},
      {2024, 0, 0, 0, 0},
      {2024, 15, 40, 30, 75},
      {2024, 4, 6, -5, -130},
      {-3, -2, 99, 100, 0},
      {2024, 6, 30, 23, 30},
      {2024, 7, 31, 22, 45},
      {2024, -5, 30, 23, 0},
      {2024, -3, -40, 23, 0},
      {2024, 40, 30, 23, 10},
      {2024, 2, 30, 23, 0},
      {2024, 1, 2000, 23, 0},
      {7, int_max, 30, 23, 0},
      {7, int_max - 40, 12, 3, 0},
      {int_max, 12, 31, 23, 0},
      {2024, int_min, 1, 0, 0},
      {2024, 4, 6, 5000, 30},
      {2024, 13, 40, 100000, 0},
      {2024, 2, 28, int_max - 1, 0},
      {2024, 5, 100000, 23, 0},
      {2024, -7, 500000, 23, 0},
      {2024, 1, int_max - 1, 23, 0},
      {2024, 2, int_max, 23, 0},
      {2024, int_max, 9000, 23, 0},
      {2024, 1204275143, 1204275143, 1204275143, 1204275143},
  };
  const std::int32_t intervals[] = {61, 119, 1440, 1441, 10000, 43200, 99999, 600000, 3000000};
  for (const auto& start : starts) {
    for (const auto interval : intervals) {
      clock_time fast = start;
      advance_clock(fast, interval);
      clock_time slow = start;
      for (std::int32_t i = 0; i < interval / 60; ++i)
        advance_clock(slow, 60);
      if (interval % 60 != 0) advance_clock(slow, interval % 60);
      EXPECT_EQ(fast, slow) << start << " plus " << interval;
    }
  }
}

TEST(ClockBefore, ComparesFieldsInOrder) {
  struct before_case {
    const char* name;
    clock_time a, b;
    bool before;
  };
  const before_case cases[] = {
      {"equal", {2024, 4, 6, 9, 50}, {2024, 4, 6, 9, 50}, false},
      {"later year, earlier month", {2025, 1, 1, 0, 0}, {2024, 12, 31, 23, 59}, false},
      {"earlier year, later month", {2024, 12, 31, 23, 59}, {2025, 1, 1, 0, 0}, true},
      {"one minute earlier", {2024, 4, 6, 9, 49}, {2024, 4, 6, 9, 50}, true},
      {"negative year", {-1, 1, 1, 0, 0}, {0, 1, 1, 0, 0}, true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(clock_before(c.a, c.b), c.before) << c.name;
}

TEST(ClockFromTexts, DecimalRuleWithSaturation) {
  struct text_case {
    const char* text;
    std::int32_t value;
  };
  const text_case cases[] = {
      {"2024", 2024},
      {"  07", 7},
      {"+5", 5},
      {"-5", -5},
      {"12abc", 12},
      {"abc", 0},
      {"", 0},
      {"- 5", 0},
      {"\t\n9", 9},
      {"99999999999", int_max},
      {"-99999999999", int_min},
      {"2147483648", int_max},
      {"-2147483648", int_min},
      {"000000000000000000000042", 42},
  };
  for (const auto& c : cases) {
    typed_instant typed{c.text, c.text, c.text, c.text, c.text};
    const clock_time t = clock_from_texts(typed);
    EXPECT_EQ(t, (clock_time{c.value, c.value, c.value, c.value, c.value})) << '"' << c.text << '"';
  }
}

TEST(CountSteps, StopsAtTheEndAtTheLimitAndAtAnOverflow) {
  const clock_time ten{2024, 4, 6, 10, 0};
  const clock_time eleven{2024, 4, 6, 11, 0};
  EXPECT_EQ(count_steps(ten, eleven, 15, 100), 4);
  EXPECT_EQ(count_steps(ten, ten, 15, 100), 0);
  EXPECT_EQ(count_steps(eleven, ten, 15, 100), 0);
  EXPECT_EQ(count_steps(ten, {2025, 4, 6, 10, 0}, 1, 1000), 1001);
  EXPECT_EQ(count_steps({int_max, 12, 31, 23, 50}, {int_max, 12, 31, 23, 59}, 10, 100), 1);
}

}  // namespace
}  // namespace rainprep
