// Bad input of every kind, typed at the prompts or lying on the disk: every run ends within its
// time limit by itself, prints the message the failure calls for, and leaves whole every grid
// it could write.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "event_fixture.h"

namespace rainprep::test_support {
namespace {

const std::string origen = "\n ERROR ORIGEN: no se puede abrir el archivo.\n";
const std::string destino = "\n ERROR DESTINO: no se puede abrir el archivo.\n";
const std::string destino_close = "ERROR:problemas al cerrar el fichero destino.\n";
const std::string bat_open = "\n ERROR BAT: no se puede abrir el archivo.\n";
const std::string bat_unsafe =
    "\n ERROR BAT: el nombre o la fecha lleva comillas o caracteres de control; no se escribe "
    "la linea de importacion.\n";
const std::string intervalo = "\n ERROR INTERVALO: el intervalo de tiempo debe ser mayor que 0.\n";

const std::vector<std::string> rows = {"0 0.5 1 -9999", "-9999 2 3.25 0"};

// Two steps, 10:00 and 10:15 on 6 April 2024.
event_answers two_steps() {
  event_answers answers;
  answers.end = {"06", "04", "2024", "10", "30"};
  return answers;
}

// What one run must leave behind.
struct expected_run {
  std::vector<std::string> grids;  // steps (YYYYMMDD_hhmm) whose grids are written whole
  std::vector<std::string> lines;  // steps with an import line in bat.bat, in order
  std::string messages;            // printed after the dialogue
  bool closing = true;             // the closing message follows them
  bool batch_run = true;
  int exit_status = 0;
  std::map<std::string, std::string> data;  // per step, the data after the header if not `rows`
};

// Every grid written whole and imported.
expected_run done(std::vector<std::string> grids) {
  expected_run expected;
  expected.grids = grids;
  expected.lines = std::move(grids);
  return expected;
}

expected_run reported(std::vector<std::string> grids, std::string messages) {
  expected_run expected = done(std::move(grids));
  expected.messages = std::move(messages);
  expected.exit_status = 1;
  return expected;
}

// Nothing done: no step, bat.bat left empty and not run, no closing message.
expected_run refused(std::string message) {
  expected_run expected = reported({}, std::move(message));
  expected.closing = false;
  expected.batch_run = false;
  return expected;
}

expected_run with_lines(expected_run expected, std::vector<std::string> lines) {
  expected.lines = std::move(lines);
  return expected;
}

expected_run with_data(expected_run expected, const std::string& step, std::string data) {
  expected.data[step] = std::move(data);
  return expected;
}

expected_run without_batch(expected_run expected) {
  expected.lines.clear();
  expected.batch_run = false;
  return expected;
}

std::string repeated(const std::string& text, int times) {
  std::string all;
  for (int i = 0; i < times; ++i)
    all += text;
  return all;
}

std::string stamp(const std::vector<std::string>& typed) {
  return typed[2] + typed[1] + typed[0] + "_" + typed[3] + typed[4];
}

std::string import_line(const event_answers& answers, const std::string& step) {
  const std::string path =
      "/SHG/TEST/PRECIP/" + stamp(answers.start) + "/" + stamp(answers.end) + "/IMPORT/;";
  const bool quoted = path.find(' ') != std::string::npos;
  return "asc2dssGrid in=" + answers.base_name + "_" + step +
         "_mod.asc dss=truvodss.dss path=" + (quoted ? "\"" + path + "\"" : path) + "\r\n";
}

class BadInputTest : public event_fixture {
 protected:
  void SetUp() override {
    event_fixture::SetUp();
    options_.timeout_seconds = 20;
  }

  // Source grids for these steps (YYYYMMDD_hhmm) of base name lluvia.
  void lay_out(const std::vector<std::string>& steps) {
    for (const auto& step : steps)
      write_file("lluvia_" + step + ".asc", source_grid(rows, "\r\n"));
  }

  // The rewritten grids in the folder: regular files only, so that a directory or a link in a
  // grid's place does not count.
  std::vector<std::string> grids_on_disk() const {
    std::vector<std::string> names;
    for (const auto& name : listing()) {
      struct stat info {};
      if (name.size() > 8 && name.compare(name.size() - 8, 8, "_mod.asc") == 0 &&
          ::lstat(path(name).c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        names.push_back(name);
      }
    }
    return names;
  }

  // Runs the answers with the source grids of `sources` laid out, then `prepare`, and checks
  // what the run left against `expected`.
  void check_run(const std::string& name, const event_answers& answers,
                 const std::vector<std::string>& sources, const expected_run& expected,
                 void (*prepare)(const event_fixture&) = nullptr) {
    start_over();
    lay_out(sources);
    if (prepare != nullptr) prepare(*this);
    const session_result result = run(answers);
    ASSERT_FALSE(result.timed_out) << name;
    EXPECT_EQ(result.exit_status, expected.exit_status) << name;
    EXPECT_EQ(result.errors, "") << name;
    EXPECT_EQ(result.output, std::string(dialogue_text) + expected.messages +
                                 (expected.closing ? closing_text : ""))
        << name;
    std::vector<std::string> names;
    for (const auto& step : expected.grids) {
      const std::string grid = answers.base_name + "_" + step + "_mod.asc";
      const auto data = expected.data.find(step);
      const std::string whole = data == expected.data.end()
                                    ? rewritten_grid(answers, rows)
                                    : rewritten_grid(answers, {}) + data->second;
      EXPECT_EQ(read_file(grid), whole) << name << ": " << step;
      names.push_back(grid);
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(grids_on_disk(), names) << name;
    std::string lines;
    for (const auto& step : expected.lines)
      lines += import_line(answers, step);
    EXPECT_EQ(read_file("bat.bat"), lines) << name;
    EXPECT_EQ(interpreter_ran(), expected.batch_run) << name;
  }
};

TEST_F(BadInputTest, InputEndingAtEachPrompt) {
  // The rain runs 10:00 to 11:00. While the end is incomplete it is not after the start, so
  // nothing is due and the run closes normally; from the end hour on, steps are due and the
  // missing interval, 0, is refused.
  const event_answers answers;
  const std::vector<std::string> typed = answers.typed();
  for (std::size_t given = 0; given < answer_prompts().size(); ++given) {
    start_over();
    lay_out({"20240406_1000", "20240406_1015", "20240406_1030", "20240406_1045"});
    const std::string name =
        "input ends at prompt " + std::to_string(given + 1) + ", " + answer_prompts()[given];
    const session_result result =
        run_typed(std::vector<std::string>(typed.begin(), typed.begin() + given));
    ASSERT_FALSE(result.timed_out) << name;
    const bool steps_due = given >= 12;
    EXPECT_EQ(result.output, std::string(dialogue_text) + (steps_due ? intervalo : closing_text))
        << name;
    EXPECT_EQ(result.exit_status, steps_due ? 1 : 0) << name;
    EXPECT_EQ(grids_on_disk(), std::vector<std::string>{}) << name;
    EXPECT_EQ(read_file("bat.bat"), "") << name;
    EXPECT_EQ(interpreter_ran(), !steps_due) << name;
  }
}

TEST_F(BadInputTest, LongAnswersAndNulBytes) {
  struct answer_case {
    const char* name;
    void (*change)(event_answers&);
    expected_run expected;
  };
  const std::vector<std::string> both = {"20240406_1000", "20240406_1015"};
  const answer_case cases[] = {
      {"coordinates of 100,000 characters",
       [](event_answers& a) {
         a.xllcorner = std::string(100000, '1');
         a.yllcorner = "4500000" + std::string(99993, ' ');
         a.cellsize = repeated("1000.", 20000);
       },
       done(both)},
      {"base name of 100,000 characters",
       [](event_answers& a) { a.base_name = std::string(100000, 'b'); },
       reported({}, origen + origen)},
      {"dates of 100,000 characters",
       [](event_answers& a) {
         a.start[4] = std::string(100000, '0');
         a.end[2] = "2024" + std::string(99996, ' ');
       },
       done(both)},
      {"interval of 100,000 characters",
       [](event_answers& a) { a.interval = std::string(99998, '0') + "15"; }, done(both)},
      {"interval of 100,000 digits",
       [](event_answers& a) { a.interval = std::string(100000, '9'); }, done({"20240406_1000"})},
      {"NUL in a coordinate", [](event_answers& a) { a.xllcorner = std::string("400\0000", 5); },
       done(both)},
      // The name cut at the NUL, "llu", exists, and must not be opened in its place.
      {"NUL in the base name", [](event_answers& a) { a.base_name = std::string("llu\0via", 7); },
       reported({}, origen + origen)},
      {"NUL in a date", [](event_answers& a) { a.start[0] = std::string("06\0", 3); },
       with_lines(reported(both, bat_unsafe + bat_unsafe), {})},
      {"NUL in the interval", [](event_answers& a) { a.interval = std::string("15\00099", 5); },
       done(both)},
  };
  for (const auto& c : cases) {
    event_answers answers = two_steps();
    c.change(answers);
    check_run(c.name, answers, both, c.expected,
              [](const event_fixture& f) { f.write_file("llu", source_grid(rows, "\r\n")); });
  }
}

TEST_F(BadInputTest, DatesOutOfRange) {
  struct date_case {
    const char* name;
    std::vector<std::string> start, end;
    std::vector<std::string> steps;
  };
  const date_case cases[] = {
      {"years beyond 32 bits",
       {"06", "04", "99999999999", "10", "00"},
       {"06", "04", "99999999999", "10", "30"},
       {"21474836470406_1000", "21474836470406_1015"}},
      {"days beyond 32 bits end before the start",
       {"06", "04", "2024", "10", "00"},
       {"-99999999999", "04", "2024", "10", "30"},
       {}},
      {"negative minutes",
       {"06", "04", "2024", "10", "-30"},
       {"06", "04", "2024", "10", "15"},
       {"20240406_10-30", "20240406_10-15", "20240406_1000"}},
      {"negative years",
       {"06", "04", "-1", "10", "00"},
       {"06", "04", "-1", "10", "30"},
       {"-10406_1000", "-10406_1015"}},
      {"letters in the start minute read as 0",
       {"06", "04", "2024", "10", "cero"},
       {"06", "04", "2024", "10", "30"},
       {"20240406_1000", "20240406_1015"}},
      {"letters in the end day read as 0, before the start",
       {"06", "04", "2024", "10", "00"},
       {"seis", "04", "2024", "10", "30"},
       {}},
  };
  for (const auto& c : cases) {
    event_answers answers;
    answers.start = c.start;
    answers.end = c.end;
    check_run(c.name, answers, c.steps, done(c.steps));
  }
}

TEST_F(BadInputTest, IntervalsOutOfRange) {
  struct interval_case {
    const char* interval;
    std::vector<std::string> end;
    expected_run expected;
  };
  const interval_case cases[] = {
      {"0", {"06", "04", "2024", "10", "30"}, refused(intervalo)},
      {"-1", {"06", "04", "2024", "10", "30"}, refused(intervalo)},
      {"61",
       {"06", "04", "2024", "12", "30"},
       done({"20240406_1000", "20240406_1101", "20240406_1202"})},
      {"1440",
       {"09", "04", "2024", "10", "00"},
       done({"20240406_1000", "20240407_1000", "20240408_1000"})},
      {"2147483647", {"31", "12", "2024", "23", "59"}, done({"20240406_1000"})},
  };
  for (const auto& c : cases) {
    event_answers answers;
    answers.end = c.end;
    answers.interval = c.interval;
    // Sources for every step the run could take, so that a wrong step shows as a wrong grid.
    check_run(std::string("interval ") + c.interval, answers,
              {"20240406_1000", "20240406_1015", "20240406_1101", "20240406_1202", "20240407_1000",
               "20240408_1000"},
              c.expected);
  }
}

// A binary source's data: every byte value but Ctrl-Z. After it come a Ctrl-Z and more bytes,
// which must not appear.
std::string binary_data() {
  std::string data;
  for (int i = 0; i < 256; ++i) {
    if (i != 26) data += static_cast<char>(i);
  }
  return data;
}

TEST_F(BadInputTest, FilesOnTheDisk) {
  struct disk_case {
    const char* name;
    void (*prepare)(const event_fixture&);
    expected_run expected;
  };
  const std::vector<std::string> both = {"20240406_1000", "20240406_1015"};
  std::string binary_rewritten = binary_data();
  binary_rewritten.replace(binary_rewritten.find('\n'), 1, "\r\n");  // its only LF without a CR
  const disk_case cases[] = {
      {"a source that is a directory",
       [](const event_fixture& f) {
         ASSERT_EQ(::unlink(f.path("lluvia_20240406_1000.asc").c_str()), 0);
         f.make_directory("lluvia_20240406_1000.asc");
       },
       reported({"20240406_1015"}, origen)},
      {"a binary source",
       [](const event_fixture& f) {
         f.write_file("lluvia_20240406_1000.asc", source_grid({}, "\n") + binary_data() +
                                                      std::string("\x1a\n\r\n\0 after\n", 11));
       },
       with_data(done(both), "20240406_1000", binary_rewritten)},
      {"an empty source",
       [](const event_fixture& f) { f.write_file("lluvia_20240406_1000.asc", ""); },
       with_data(done(both), "20240406_1000", "")},
      {"a destination that is a directory",
       [](const event_fixture& f) { f.make_directory("lluvia_20240406_1000_mod.asc"); },
       reported({"20240406_1015"}, destino)},
      // The write fails only at the close: the step's import line is already written.
      {"a destination on a full device",
       [](const event_fixture& f) {
         ASSERT_EQ(::symlink("/dev/full", f.path("lluvia_20240406_1000_mod.asc").c_str()), 0);
       },
       with_lines(reported({"20240406_1015"}, destino_close), both)},
      {"bat.bat a directory", [](const event_fixture& f) { f.make_directory("bat.bat"); },
       without_batch(reported(both, bat_open))},
      // Files without an end, or whose opening would wait for another process.
      {"a source that is a FIFO",
       [](const event_fixture& f) {
         ASSERT_EQ(::unlink(f.path("lluvia_20240406_1000.asc").c_str()), 0);
         ASSERT_EQ(::mkfifo(f.path("lluvia_20240406_1000.asc").c_str(), 0644), 0);
       },
       reported({"20240406_1015"}, origen)},
      {"a source that is a link to an endless device",
       [](const event_fixture& f) {
         ASSERT_EQ(::unlink(f.path("lluvia_20240406_1000.asc").c_str()), 0);
         ASSERT_EQ(::symlink("/dev/zero", f.path("lluvia_20240406_1000.asc").c_str()), 0);
       },
       reported({"20240406_1015"}, origen)},
      {"a destination that is a FIFO nobody reads",
       [](const event_fixture& f) {
         ASSERT_EQ(::mkfifo(f.path("lluvia_20240406_1000_mod.asc").c_str(), 0644), 0);
       },
       reported({"20240406_1015"}, destino)},
      {"bat.bat a FIFO nobody reads",
       [](const event_fixture& f) { ASSERT_EQ(::mkfifo(f.path("bat.bat").c_str(), 0644), 0); },
       without_batch(reported(both, bat_open))},
  };
  for (const auto& c : cases)
    check_run(c.name, two_steps(), both, c.expected, c.prepare);
}

TEST_F(BadInputTest, BaseNameInAFolderThatDoesNotExist) {
  event_answers answers = two_steps();
  answers.base_name = "no_existe/lluvia";
  check_run("base name in a missing folder", answers, {}, reported({}, origen + origen));
}

}  // namespace
}  // namespace rainprep::test_support
