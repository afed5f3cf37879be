// The rewritten grids under Wine where Windows differs from Linux: a folder in the base name
// written with a backslash. What the grids hold on both platforms is in
// tests/e2e/common/grid_files_test.cpp.
#include <string>
#include <vector>

#include "wine_fixture.h"

namespace rainprep::test_support {
namespace {

class WineGridFilesTest : public wine_fixture {};

TEST_F(WineGridFilesTest, BaseNameWithABackslashedDirectoryPartReadsAndWritesThere) {
  // A Windows user may write the folder with either separator; the slash is a shared case.
  make_directory("datos");
  const std::vector<std::string> rows = {"5 6 7 8"};
  write_file("datos/lluvia_20240406_1000.asc", source_grid(rows, "\n"));
  event_answers answers;
  answers.base_name = "datos\\lluvia";
  answers.end = {"06", "04", "2024", "10", "15"};
  const session_result result = run_console(answers);
  const std::string grid = "datos\\lluvia_20240406_1000_mod.asc";
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(read_file("datos/lluvia_20240406_1000_mod.asc"), rewritten_grid(answers, rows));
  EXPECT_EQ(read_file("bat.bat"), import_command(grid, "20240406_1015") + "\r\n");
  EXPECT_EQ(import_calls(), import_call(grid, "20240406_1015"));
}

}  // namespace
}  // namespace rainprep::test_support
