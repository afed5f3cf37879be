#include "clock/clock_time.h"

#include <algorithm>
#include <limits>

#include "clock/decimal_text.h"

namespace rainprep {
namespace {

// Typed values are not validated, so every sum may overflow; wrap it instead of leaving the
// behaviour undefined.
std::int32_t wrap_add(std::int32_t a, std::int64_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

bool is_long_month(std::int32_t month) {
  return month == 1 || month == 3 || month == 5 || month == 7 || month == 8 || month == 10 ||
         month == 12;
}

std::int32_t month_length(std::int32_t month) {
  if (month == 2) return 28;
  return is_long_month(month) ? 31 : 30;
}

void next_month(clock_time& t) {
  t.month = wrap_add(t.month, 1);
  if (t.month > 12) {
    t.month -= 12;
    t.year = wrap_add(t.year, 1);
  }
}

// The day roll-over of a call in which the hour carried: the day carries into the month at
// most once, and February's days above 28 once more.
void roll_day(clock_time& t) {
  t.day = wrap_add(t.day, 1);
  const std::int32_t length = is_long_month(t.month) ? 31 : 30;
  if (t.day > length) {
    t.day -= length;
    next_month(t);
  }
  if (t.month == 2 && t.day > 28) {
    t.day -= 28;
    next_month(t);
  }
}

// The single-carry advance, step by step.
void advance_once(clock_time& t, std::int32_t interval) {
  t.minute = wrap_add(t.minute, interval);
  if (t.minute < 60) return;
  t.minute -= 60;
  t.hour = wrap_add(t.hour, 1);
  if (t.hour < 24) return;
  t.hour -= 24;
  roll_day(t);
}

bool is_proper_date(const clock_time& t) {
  return t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= month_length(t.month);
}

// Moves a proper date on by whole days. The calendar repeats every 365 days, so whole years
// only change the year.
void advance_proper_days(clock_time& t, std::int64_t days) {
  t.year = wrap_add(t.year, days / 365);
  days %= 365;
  while (days > 0) {
    const std::int64_t left_in_month = month_length(t.month) - t.day;
    if (days <= left_in_month) {
      t.day = static_cast<std::int32_t>(t.day + days);
      return;
    }
    days -= left_in_month + 1;
    t.day = 1;
    next_month(t);
  }
}

// Up to `days` day roll-overs (each what roll_day does) where their outcome is known without
// taking them one by one: days below a month's last, and months out of range, included.
// Returns the roll-overs taken; 0 where the next one must be taken by itself.
std::int64_t skip_plain_days(clock_time& t, std::int64_t days) {
  if (is_proper_date(t)) {
    advance_proper_days(t, days);
    return days;
  }
  // The day after which the month rolls over; months out of range roll after 30 days.
  const std::int32_t last = month_length(t.month);
  if (t.day < last) {
    // Below the last day the day rises one a day and nothing else changes.
    const std::int64_t taken = std::min<std::int64_t>(days, std::int64_t{last} - t.day);
    t.day = static_cast<std::int32_t>(t.day + taken);
    return taken;
  }
  if (t.day == last && days >= 30) {
    // On the 30th of a month out of range, every 30 days make the 30th of the next month,
    // as long as that month is out of range too.
    std::int64_t months = 0;
    if (t.month < 1) {
      months = std::min<std::int64_t>(days / 30, -std::int64_t{t.month});
      t.month = static_cast<std::int32_t>(t.month + months);
    } else if (t.month > 12 && t.month < std::numeric_limits<std::int32_t>::max()) {
      // Above 12 a roll-over takes 12 off the next month and adds a year.
      months = std::min<std::int64_t>(days / 30, (std::int64_t{t.month} - 13) / 11);
      t.month = static_cast<std::int32_t>(t.month - 11 * months);
      t.year = wrap_add(t.year, months);
    }
    return 30 * months;
  }
  return 0;
}

// Up to `days` roll-overs of a day typed far above every month's length, which carries into
// the month on each of them: below month 1 each takes 29 off the day and adds a month; above
// 12, 29 off the day and 11 off the month, and adds a year; from January the eleven of a year
// (February carried over with January) take 354 off the day and add a year. Returns the
// roll-overs taken; 0 where they must be taken one by one.
std::int64_t skip_carrying_days(clock_time& t, std::int64_t days) {
  constexpr std::int32_t int_max = std::numeric_limits<std::int32_t>::max();
  // Far enough above 31 that every roll-over of the run still carries.
  constexpr std::int64_t margin = 400;
  const std::int64_t day = t.day;
  if (day <= margin || day == int_max) return 0;
  if (t.month > 12 && t.month < int_max) {
    // Stopping while the month is still above 12, so that February's carry never comes in.
    const std::int64_t taken =
        std::min({days, (std::int64_t{t.month} - 13) / 11, (day - margin) / 29});
    t.day = static_cast<std::int32_t>(day - 29 * taken);
    t.month = static_cast<std::int32_t>(t.month - 11 * taken);
    t.year = wrap_add(t.year, taken);
    return taken;
  }
  if (t.month < 1) {
    const std::int64_t taken = std::min({days, 1 - std::int64_t{t.month}, (day - margin) / 29});
    t.day = static_cast<std::int32_t>(day - 29 * taken);
    t.month = static_cast<std::int32_t>(t.month + taken);
    return taken;
  }
  if (t.month == 1) {
    const std::int64_t years = std::min(days / 11, (day - margin) / 354);
    t.day = static_cast<std::int32_t>(day - 354 * years);
    t.year = wrap_add(t.year, years);
    return 11 * years;
  }
  return 0;
}

// `days` day roll-overs, skipping ahead where the outcome of a run of them is known.
void roll_days(clock_time& t, std::int64_t days) {
  while (days > 0) {
    std::int64_t taken = skip_plain_days(t, days);
    if (taken == 0) taken = skip_carrying_days(t, days);
    if (taken == 0) {
      roll_day(t);
      taken = 1;
    }
    days -= taken;
  }
}

// The same as `hours` calls of advance_once(t, 60), skipping ahead where the outcome of a run
// of calls is known, so that an interval of years costs no more than one of minutes.
void advance_hours(clock_time& t, std::int64_t hours) {
  constexpr std::int32_t int_max = std::numeric_limits<std::int32_t>::max();
  while (hours > 0) {
    // With a minute from 0 to 60 below the limit, a call gives the minute back unchanged.
    const bool minute_kept = t.minute >= 0 && t.minute <= int_max - 60;
    std::int64_t calls = 0;
    if (t.minute < 0) {
      // Each call only raises the minute by 60 until it is no longer negative.
      calls = std::min<std::int64_t>(hours, (59 - std::int64_t{t.minute}) / 60);
      t.minute = wrap_add(t.minute, 60 * calls);
    } else if (minute_kept && t.hour < 23) {
      // The hour rises without carrying.
      calls = std::min<std::int64_t>(hours, 23 - std::int64_t{t.hour});
      t.hour = wrap_add(t.hour, calls);
    } else if (minute_kept && t.hour > 23 && t.hour < int_max) {
      // A typed hour above 23 loses 23 a call, the date rolling over each time, for as long
      // as it stays above 23.
      calls = std::min<std::int64_t>(hours, (std::int64_t{t.hour} - 24) / 23 + 1);
      t.hour = static_cast<std::int32_t>(t.hour - 23 * calls);
      roll_days(t, calls);
    } else if (minute_kept && t.hour == 23 && hours >= 24) {
      // From 23 h, every 24 calls make the next day at 23 h again.
      calls = 24 * (hours / 24);
      roll_days(t, hours / 24);
    }
    if (calls == 0) {
      calls = 1;
      advance_once(t, 60);
    }
    hours -= calls;
  }
}

}  // namespace

bool operator==(const clock_time& a, const clock_time& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
         a.minute == b.minute;
}

clock_time clock_from_texts(const typed_instant& typed) {
  clock_time t;
  t.year = decimal_value(typed.year);
  t.month = decimal_value(typed.month);
  t.day = decimal_value(typed.day);
  t.hour = decimal_value(typed.hour);
  t.minute = decimal_value(typed.minute);
  return t;
}

bool clock_before(const clock_time& a, const clock_time& b) {
  if (a.year != b.year) return a.year < b.year;
  if (a.month != b.month) return a.month < b.month;
  if (a.day != b.day) return a.day < b.day;
  if (a.hour != b.hour) return a.hour < b.hour;
  return a.minute < b.minute;
}

void advance_clock(clock_time& t, std::int32_t interval) {
  if (interval <= 60) {
    advance_once(t, interval);
    return;
  }
  advance_hours(t, interval / 60);
  if (interval % 60 != 0) advance_once(t, interval % 60);
}

std::int64_t count_steps(const clock_time& start, const clock_time& end, std::int32_t interval,
                         std::int64_t limit) {
  std::int64_t steps = 0;
  clock_time t = start;
  while (clock_before(t, end) && steps <= limit) {
    ++steps;
    const clock_time before = t;
    advance_clock(t, interval);
    if (!clock_before(before, t)) break;
  }
  return steps;
}

}  // namespace rainprep
