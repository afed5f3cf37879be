#include "event_grid.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace rainprep::bench {
namespace {

// A small fixed generator, so that every run writes the same bytes on every platform.
struct random_bits {
  std::uint64_t state;
  std::uint64_t next() {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
  }
  double unit() { return static_cast<double>(next() >> 11) / 9007199254740992.0; }
};

// Rain depth in hundredths as the shortest decimal text: 25 -> "0.25", 370 -> "3.7".
void append_depth(std::string& out, long hundredths) {
  char text[32];
  const long whole = hundredths / 100;
  const long frac = hundredths % 100;
  if (frac == 0) {
    std::snprintf(text, sizeof text, "%ld", whole);
  } else if (frac % 10 == 0) {
    std::snprintf(text, sizeof text, "%ld.%ld", whole, frac / 10);
  } else {
    std::snprintf(text, sizeof text, "%ld.%02ld", whole, frac);
  }
  out += text;
}

// Hands `out` on once it holds more than `above` bytes, so that even a row of hundreds of
// megabytes passes through a small buffer.
bool drain(const grid_output& output, std::string& out, std::size_t above) {
  if (out.size() <= above) return true;
  const bool ok = output(out.data(), out.size());
  out.clear();
  return ok;
}

bool write_row(const grid_output& output, std::string& out, const grid_shape& shape, long row,
               int step, int steps, random_bits& bits) {
  const double progress = steps > 1 ? static_cast<double>(step) / (steps - 1) : 0.5;
  // The storm's centre crosses from west to east and drifts north; its radius breathes.
  const double centre_col = shape.cols * (0.2 + 0.6 * progress);
  const double centre_row = shape.rows * (0.6 - 0.2 * progress);
  const double radius = std::max(2.0, shape.cols * (0.16 + 0.04 * std::sin(step * 0.7)));
  const double peak = 1200 + 600 * std::sin(step * 0.4);  // hundredths of a millimetre
  const double half_rows = shape.rows / 2.0;
  const double half_cols = shape.cols / 2.0;
  for (long col = 0; col < shape.cols; ++col) {
    if (!drain(output, out, 1 << 20)) return false;
    if (col > 0) out += ' ';
    const double dy = (row + 0.5 - half_rows) / (half_rows * 0.85);
    const double dx = (col + 0.5 - half_cols) / (half_cols * 0.8);
    // A wavy oval catchment; outside it there are no data.
    const double edge = 1.0 + 0.08 * std::sin(std::atan2(dy, dx) * 5.0);
    if (dx * dx + dy * dy > edge * edge) {
      out += "-9999";
      continue;
    }
    const double ry = (row - centre_row) / radius;
    const double rx = (col - centre_col) / radius;
    const double depth = peak * std::exp(-(rx * rx + ry * ry)) * (0.7 + 0.6 * bits.unit());
    // Below a twentieth of a millimetre the gauge reads dry.
    const long hundredths = std::lround(depth);
    if (hundredths < 5) {
      out += '0';
    } else {
      append_depth(out, hundredths);
    }
  }
  return true;
}

}  // namespace

bool write_event_grid(const grid_shape& shape, int step, int steps, const grid_output& output) {
  const char* const eol = shape.lf_only ? "\n" : "\r\n";
  const char* const keywords[] = {"ncols",     "nrows",    "xllcorner",
                                  "yllcorner", "cellsize", "NODATA_value"};
  const std::string values[] = {std::to_string(shape.cols),
                                std::to_string(shape.rows),
                                event_xllcorner,
                                event_yllcorner,
                                event_cellsize,
                                "-9999"};
  std::string text;
  for (int k = 0; k < 6; ++k) {
    char line[128];
    std::snprintf(line, sizeof line, "%-14s%s%s", keywords[k], values[k].c_str(), eol);
    text += line;
  }
  random_bits bits{0x9e3779b97f4a7c15ULL ^ (static_cast<std::uint64_t>(step) * 0x2545f491ULL)};
  for (long row = 0; row < shape.rows; ++row) {
    if (!write_row(output, text, shape, row, step, steps, bits)) return false;
    text += eol;
  }
  return drain(output, text, 0);
}

std::string event_grid_text(const grid_shape& shape, int step, int steps) {
  std::string all;
  write_event_grid(shape, step, steps, [&all](const char* data, std::size_t size) {
    all.append(data, size);
    return true;
  });
  return all;
}

}  // namespace rainprep::bench
