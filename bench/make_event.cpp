// make_event: writes the source grids of one synthetic rain event, one ASCII grid per time
// step, named as rainprep expects them (BASE_YYYYMMDD_hhmm.asc).
//
//   make_event DIR BASE START STEPS INTERVAL [--lf] [--rows N] [--cols N] [--answers FILE]
//
//   DIR       folder to write into (created if missing)
//   BASE      base name of the grid files
//   START     first step's instant as YYYYMMDDhhmm, e.g. 202404060950
//   STEPS     number of grids to write
//   INTERVAL  minutes between grids
//   --lf      end lines with LF alone instead of CR LF
//   --rows N  data rows per grid (default 1012)
//   --cols N  cells per row (default 1200)
//   --answers FILE  also write the fifteen dialogue answers for a run over the whole event,
//             one per line: corner x, corner y, cell size, the start's day, month, year, hour
//             and minute, the end's (the instant after the last step) likewise, BASE and
//             INTERVAL
//
// The grids are those of event_grid.h: six header lines, then -9999 outside an oval
// catchment, dry zeros, and a rain cell crossing the grid over the event. Full-size grids are
// about 5 to 7 MB each. The output depends only on the arguments.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "event_grid.h"

namespace {

struct instant {
  int year, month, day, hour, minute;
};

bool is_leap(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int days_in_month(int year, int month) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && is_leap(year) ? 29 : days[month - 1];
}

void advance(instant& t, long long minutes) {
  long long total = t.hour * 60LL + t.minute + minutes;
  long long days = total / 1440;
  total %= 1440;
  t.hour = static_cast<int>(total / 60);
  t.minute = static_cast<int>(total % 60);
  for (; days > 0; --days) {
    if (++t.day > days_in_month(t.year, t.month)) {
      t.day = 1;
      if (++t.month > 12) {
        t.month = 1;
        ++t.year;
      }
    }
  }
}

bool parse_instant(const char* text, instant& t) {
  if (std::strlen(text) != 12) return false;
  for (const char* p = text; *p; ++p) {
    if (*p < '0' || *p > '9') return false;
  }
  const auto field = [text](int from, int count) {
    return std::atoi(std::string(text + from, static_cast<std::size_t>(count)).c_str());
  };
  t = {field(0, 4), field(4, 2), field(6, 2), field(8, 2), field(10, 2)};
  return t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= days_in_month(t.year, t.month) &&
         t.hour < 24 && t.minute < 60;
}

bool write_grid_file(const std::string& path, const rainprep::bench::grid_shape& shape, int step,
                     int steps) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool ok = rainprep::bench::write_event_grid(
      shape, step, steps, [file](const char* data, std::size_t size) {
        return std::fwrite(data, 1, size, file) == size;
      });
  return std::fclose(file) == 0 && ok;
}

bool write_answers(const std::string& path, const instant& start, const instant& end,
                   const std::string& base, int interval) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  std::fprintf(file, "%s\n%s\n%s\n", rainprep::bench::event_xllcorner,
               rainprep::bench::event_yllcorner, rainprep::bench::event_cellsize);
  for (const instant& t : {start, end}) {
    std::fprintf(file, "%02d\n%02d\n%d\n%02d\n%02d\n", t.day, t.month, t.year, t.hour, t.minute);
  }
  std::fprintf(file, "%s\n%d\n", base.c_str(), interval);
  return std::fclose(file) == 0;
}

int usage() {
  std::fprintf(stderr,
               "usage: make_event DIR BASE START_YYYYMMDDhhmm STEPS INTERVAL [--lf] [--rows N] "
               "[--cols N] [--answers FILE]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 6) return usage();
  const std::string dir = argv[1];
  const std::string base = argv[2];
  instant start{};
  if (!parse_instant(argv[3], start)) {
    std::fprintf(stderr, "make_event: START must be YYYYMMDDhhmm, a real date\n");
    return 2;
  }
  const int steps = std::atoi(argv[4]);
  const int interval = std::atoi(argv[5]);
  if (steps < 1 || interval < 1) {
    std::fprintf(stderr, "make_event: STEPS and INTERVAL must be positive\n");
    return 2;
  }
  rainprep::bench::grid_shape shape;
  std::string answers_path;
  for (int i = 6; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--lf") {
      shape.lf_only = true;
    } else if ((option == "--rows" || option == "--cols") && i + 1 < argc) {
      const long value = std::atol(argv[++i]);
      if (value < 1) return usage();
      (option == "--rows" ? shape.rows : shape.cols) = value;
    } else if (option == "--answers" && i + 1 < argc) {
      answers_path = argv[++i];
    } else {
      return usage();
    }
  }
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  if (error) {
    std::fprintf(stderr, "make_event: cannot create %s: %s\n", dir.c_str(),
                 error.message().c_str());
    return 1;
  }
  instant t = start;
  for (int step = 0; step < steps; ++step) {
    char name[64];
    std::snprintf(name, sizeof name, "_%04d%02d%02d_%02d%02d.asc", t.year, t.month, t.day, t.hour,
                  t.minute);
    const std::string path = dir + "/" + base + name;
    if (!write_grid_file(path, shape, step, steps)) {
      std::fprintf(stderr, "make_event: cannot write %s\n", path.c_str());
      return 1;
    }
    advance(t, interval);
  }
  if (!answers_path.empty() && !write_answers(answers_path, start, t, base, interval)) {
    std::fprintf(stderr, "make_event: cannot write %s\n", answers_path.c_str());
    return 1;
  }
  return 0;
}
