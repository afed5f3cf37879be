// Fuzzes the import-line writer with random names and stamps. A line that is written must be
// one command which, read by cmd.exe as a batch line and then split into arguments as a
// Windows program splits its command line, gives exactly asc2dssGrid, in=<name>,
// dss=truvodss.dss and path=/SHG/TEST/PRECIP/<start>/<end>/IMPORT/; and the fallback that runs
// lines where there is no interpreter must see the same words. A value with a double quote or
// a control character other than tab must be refused.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/import_line.h"
#include "platform/command_words.h"

namespace rainprep {
namespace {

void check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "fuzz_import_line: %s\n", what);
    std::abort();
  }
}

bool is_unsafe(const std::string& value) {
  for (const char c : value) {
    const auto code = static_cast<unsigned char>(c);
    if (c == '"' || (code < 0x20 && c != '\t') || code == 0x7f) return true;
  }
  return false;
}

// cmd.exe's reading of one batch line, as far as these lines can touch it. First every %
// is expanded: %% gives one %, and any other % starts a variable or argument reference (or
// vanishes), which would change the value, so it fails. Then, outside double quotes, ^ makes
// the next character plain and & | < > ( ) would act as operators, so they fail. What is left
// is the command line the program receives.
std::optional<std::string> cmd_command_line(std::string_view line) {
  std::string expanded;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] != '%') {
      expanded += line[i];
    } else if (i + 1 < line.size() && line[i + 1] == '%') {
      expanded += '%';
      ++i;
    } else {
      return std::nullopt;
    }
  }
  std::string command;
  bool quoted = false;
  for (std::size_t i = 0; i < expanded.size(); ++i) {
    const char c = expanded[i];
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && c == '^') {
      if (++i == expanded.size()) return std::nullopt;
      command += expanded[i];
      continue;
    } else if (!quoted && std::string_view("&|<>()").find(c) != std::string_view::npos) {
      return std::nullopt;
    }
    command += c;
  }
  return command;
}

// The arguments a Windows program's C runtime makes of its command line. The program name
// runs to the first blank or tab outside quotes, with no backslash rule. After it, blanks and
// tabs separate arguments; 2n backslashes before a double quote give n backslashes and the
// quote opens or closes a quoted part, 2n+1 give n and a plain quote; "" inside a quoted part
// gives a plain quote; other backslashes are plain.
std::vector<std::string> windows_arguments(std::string_view line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  std::string program;
  for (bool quoted = false; i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t'));
       ++i) {
    if (line[i] == '"') {
      quoted = !quoted;
    } else {
      program += line[i];
    }
  }
  words.push_back(program);
  for (;;) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
      ++i;
    if (i == line.size()) return words;
    std::string word;
    bool quoted = false;
    while (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t'))) {
      std::size_t backslashes = 0;
      while (i < line.size() && line[i] == '\\') {
        ++backslashes;
        ++i;
      }
      if (i < line.size() && line[i] == '"') {
        word.append(backslashes / 2, '\\');
        if (backslashes % 2 == 1) {
          word += '"';
        } else if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
          word += '"';
          ++i;
        } else {
          quoted = !quoted;
        }
        ++i;
      } else {
        word.append(backslashes, '\\');
        if (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t'))) word += line[i++];
      }
    }
    words.push_back(word);
  }
}

// Names mostly as the program forms them, a base name and the step's suffix, sometimes any.
std::string consume_name(FuzzedDataProvider& data) {
  std::string name = data.ConsumeRandomLengthString(64);
  if (data.ConsumeBool()) name += "_20240406_0950_mod.asc";
  return name;
}

}  // namespace
}  // namespace rainprep

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  using namespace rainprep;
  FuzzedDataProvider data(bytes, size);
  const std::string name = consume_name(data);
  const std::string start = data.ConsumeRandomLengthString(32);
  const std::string end = data.ConsumeRandomLengthString(32);

  const std::optional<std::string> line = import_line(name, start, end);
  const bool unsafe = is_unsafe(name) || is_unsafe(start) || is_unsafe(end);
  check(line.has_value() != unsafe,
        unsafe ? "an unsafe value was written" : "a safe line was refused");
  if (!line) return 0;

  check(!line->empty() && line->back() == '\n', "the line does not end in a line break");
  const std::string_view text(line->data(), line->size() - 1);
  check(text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos,
        "the line holds a line break or NUL of its own");

  const std::vector<std::string> expected = {
      "asc2dssGrid", "in=" + name, "dss=truvodss.dss",
      "path=/SHG/TEST/PRECIP/" + start + "/" + end + "/IMPORT/;"};
  const std::optional<std::string> command = cmd_command_line(text);
  check(command.has_value(), "cmd.exe would expand a % or act on an operator in the line");
  check(windows_arguments(*command) == expected, "a Windows program would get other arguments");
  check(split_command_words(text) == expected, "the direct run would get other words");
  return 0;
}
