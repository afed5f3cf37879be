// The rewritten grids on disk, on Linux and under Wine alike: their bytes, and what a missing or
// unwritable file does.
#include <unistd.h>

#include <string>
#include <vector>

#include "platform_fixture.h"

namespace rainprep::test_support {
namespace {

const char* const origen = "\n ERROR ORIGEN: no se puede abrir el archivo.\n";
const char* const destino = "\n ERROR DESTINO: no se puede abrir el archivo.\n";
const char* const destino_close = "ERROR:problemas al cerrar el fichero destino.\n";

class GridFilesTest : public platform_fixture {};

TEST_F(GridFilesTest, FourStepsWriteEveryGridByteForByte) {
  // Each step's source differs, in its rows and in its line breaks.
  const std::vector<std::vector<std::string>> rows = {
      {"-9999 0 0 -9999", "-9999 0.5 1.25 -9999"},
      {"-9999 0 0 -9999", "-9999 3.5 7 -9999"},
      {"1 2 3 4"},
      {"-9999 -9999 -9999 -9999", "0 0 0 0", "0 0.75 0 0"},
  };
  const char* const times[] = {"1000", "1015", "1030", "1045"};
  const char* const breaks[] = {"\r\n", "\n", "\r\n", "\n"};
  for (int i = 0; i < 4; ++i) {
    write_file(std::string("lluvia_20240406_") + times[i] + ".asc",
               source_grid(rows[i], breaks[i]));
  }
  event_answers answers;
  answers.xllcorner = "342000.5";
  answers.cellsize = " 1000 ";
  const session_result result = run_program(answers);
  std::vector<std::string> lines;
  std::vector<import_step> steps;
  for (int i = 0; i < 4; ++i) {
    const std::string grid = std::string("lluvia_20240406_") + times[i] + "_mod.asc";
    EXPECT_EQ(read_file(grid), rewritten_grid(answers, rows[i])) << grid;
    lines.push_back(import_command(grid, "20240406_1100"));
    steps.push_back({grid, "20240406_1100"});
  }
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.output, console(dialogue_text, lines, closing_text));
  EXPECT_EQ(read_file("bat.bat"), batch_text(steps));
  expect_batch_ran(steps);
}

TEST_F(GridFilesTest, MissingSourceIsReportedAndTheOtherStepsGoOn) {
  const std::vector<std::string> rows = {"0 1 2 3"};
  lay_out("lluvia", {"1000", "1030", "1045"}, rows);
  const session_result result = run_program(event_answers());
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_FALSE(exists("lluvia_20240406_1015_mod.asc"));
  const event_answers answers;
  std::vector<std::string> lines;
  std::vector<import_step> steps;
  for (const char* hhmm : {"1000", "1030", "1045"}) {
    const std::string grid = std::string("lluvia_20240406_") + hhmm + "_mod.asc";
    EXPECT_EQ(read_file(grid), rewritten_grid(answers, rows)) << grid;
    lines.push_back(import_command(grid, "20240406_1100"));
    steps.push_back({grid, "20240406_1100"});
  }
  EXPECT_EQ(result.output, console(std::string(dialogue_text) + origen, lines, closing_text));
  EXPECT_EQ(read_file("bat.bat"), batch_text(steps));
  expect_batch_ran(steps);
}

TEST_F(GridFilesTest, FilesThatCannotBeOpenedOrWritten) {
  struct blocked_case {
    const char* name;
    void (*block)(const event_fixture&, const std::string& source, const std::string& grid);
    const char* message;
    bool import_line;
  };
  const blocked_case cases[] = {
      {"a directory where the source should be",
       [](const event_fixture& f, const std::string& source, const std::string&) {
         f.make_directory(source);
       },
       origen, false},
      {"a directory where the destination should be",
       [](const event_fixture& f, const std::string& source, const std::string& grid) {
         f.write_file(source, source_grid({"1 2"}, "\r\n"));
         f.make_directory(grid);
       },
       destino, false},
      {"a destination on a full device",
       [](const event_fixture& f, const std::string& source, const std::string& grid) {
         f.write_file(source, source_grid({"1 2"}, "\r\n"));
         ASSERT_EQ(::symlink("/dev/full", f.path(grid).c_str()), 0);
       },
       destino_close, true},
  };
  for (const auto& c : cases) {
    start_over();
    const std::string source = "lluvia_20240406_1000.asc";
    const std::string grid = "lluvia_20240406_1000_mod.asc";
    c.block(*this, source, grid);
    event_answers answers;
    answers.end = {"06", "04", "2024", "10", "15"};
    const session_result result = run_program(answers);
    std::vector<std::string> lines;
    std::vector<import_step> steps;
    if (c.import_line) {
      lines.push_back(import_command(grid, "20240406_1015"));
      steps.push_back({grid, "20240406_1015"});
    }
    EXPECT_EQ(result.output, console(std::string(dialogue_text) + c.message, lines, closing_text))
        << c.name;
    EXPECT_EQ(result.exit_status, 1) << c.name;
    EXPECT_EQ(read_file("bat.bat"), batch_text(steps)) << c.name;
  }
}

TEST_F(GridFilesTest, BaseNameWithADirectoryPartReadsAndWritesThere) {
  make_directory("datos");
  const std::vector<std::string> rows = {"5 6 7 8"};
  write_file("datos/lluvia_20240406_1000.asc", source_grid(rows, "\n"));
  event_answers answers;
  answers.base_name = "datos/lluvia";
  answers.end = {"06", "04", "2024", "10", "15"};
  const session_result result = run_program(answers);
  const import_step step = {"datos/lluvia_20240406_1000_mod.asc", "20240406_1015"};
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(read_file("datos/lluvia_20240406_1000_mod.asc"), rewritten_grid(answers, rows));
  EXPECT_EQ(read_file("bat.bat"), batch_text({step}));
  expect_batch_ran({step});
}

}  // namespace
}  // namespace rainprep::test_support
