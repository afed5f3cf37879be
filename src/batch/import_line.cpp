#include "batch/import_line.h"

namespace rainprep {
namespace {

bool is_unsafe(const std::string& value) {
  for (const char c : value) {
    const auto code = static_cast<unsigned char>(c);
    if (c == '"' || (code < 0x20 && c != '\t') || code == 0x7f) return true;
  }
  return false;
}

bool needs_quotes(const std::string& value) {
  return value.find_first_of(" \t&|<>^%()") != std::string::npos;
}

// Inside double quotes the interpreter still expands %; doubling it leaves one. A program
// reads the backslashes right before a double quote as escapes, two for one, so those that
// end the value are doubled to reach it as they are, and the closing quote stays a quote.
std::string quoted(const std::string& value) {
  std::string text = "\"";
  for (const char c : value) {
    text += c;
    if (c == '%') text += '%';
  }
  const std::size_t last_other = value.find_last_not_of('\\');
  text.append(value.size() - (last_other == std::string::npos ? 0 : last_other + 1), '\\');
  return text + "\"";
}

std::string argument_value(const std::string& value, bool quote) {
  return quote ? quoted(value) : value;
}

}  // namespace

std::optional<std::string> import_line(const std::string& destination_name,
                                       const std::string& start_stamp,
                                       const std::string& end_stamp) {
  if (is_unsafe(destination_name) || is_unsafe(start_stamp) || is_unsafe(end_stamp)) {
    return std::nullopt;
  }
  const std::string path = "/SHG/TEST/PRECIP/" + start_stamp + "/" + end_stamp + "/IMPORT/;";
  const bool quote_path = needs_quotes(start_stamp) || needs_quotes(end_stamp);
  return "asc2dssGrid in=" + argument_value(destination_name, needs_quotes(destination_name)) +
         " dss=truvodss.dss path=" + argument_value(path, quote_path) + "\n";
}

}  // namespace rainprep
