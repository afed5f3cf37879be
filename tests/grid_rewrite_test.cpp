#include "grid/grid_rewrite.h"

#include <gtest/gtest.h>

#include <string>

#include "support/memory_stream.h"

namespace rainprep {
namespace {

using test_support::memory_sink;
using test_support::memory_source;

const std::string header =
    "NCOLS 1200 \r\nNROWS 1012 \r\nXLLCORNER 400000\r\nYLLCORNER 4500000\r\nCELLSIZE 1000"
    "\r\nNODATA_VALUE\r\n -9999 ";

std::string six_lines(const std::string& line_break) {
  std::string text;
  for (const char* line :
       {"ncols 4", "nrows 2", "xllcorner 0", "yllcorner 0", "cellsize 1", "nodata_value -1"}) {
    text += line + line_break;
  }
  return text;
}

std::string rewrite(const std::string& source_bytes, std::size_t block) {
  dialogue_answers answers;
  answers.xllcorner = "400000";
  answers.yllcorner = "4500000";
  answers.cellsize = "1000";
  memory_source source(source_bytes, block);
  text_reader reader(source);
  memory_sink sink;
  text_writer writer(sink);
  write_grid_header(writer, answers);
  copy_grid_data(reader, writer);
  EXPECT_TRUE(writer.flush());
  return sink.bytes;
}

TEST(GridRewrite, Table) {
  struct rewrite_case {
    const char* name;
    std::string source;
    std::string data;  // what follows the header in the destination
  };
  const std::string long_row(7000, '7');
  const std::string line_999(998, 'h');    // with its line break, 999 characters: one read
  const std::string line_1500(1499, 'h');  // with its line break, two reads
  const rewrite_case cases[] = {
      {"CR LF source", six_lines("\r\n") + "1 2\r\n3 4\r\n", "1 2\r\n3 4\r\n"},
      {"LF source gains CRs", six_lines("\n") + "1 2\n3 4\n", "1 2\r\n3 4\r\n"},
      {"last row without a line break", six_lines("\r\n") + "1 2\r\n3 4", "1 2\r\n3 4"},
      {"Ctrl-Z in the middle", six_lines("\r\n") + "1 2\r\n3\x1a 4\r\n5 6\r\n", "1 2\r\n3"},
      {"7,000-character row", six_lines("\n") + long_row + "\n1\n", long_row + "\r\n1\r\n"},
      {"six lines only", six_lines("\r\n"), ""},
      {"three lines only", "a\r\nb\r\nc\r\n", ""},
      {"empty source", "", ""},
      {"header line of 999 characters is one read",
       line_999 + "\n" + six_lines("\n").substr(8) + "data\n", "data\r\n"},
      {"header line of 1,500 characters is two reads",
       line_1500 + "\n" + six_lines("\n").substr(8) + "data\n", "nodata_value -1\r\ndata\r\n"},
      {"header claiming other dimensions",
       "ncols 10\nnrows 20\nxllcorner 9\nyllcorner 9\ncellsize 9\nNODATA_value 0\n1\n", "1\r\n"},
      {"lone CRs in the data", six_lines("\r\n") + "1\r2\r\n3\r", "1\r2\r\n3\r"},
  };
  for (const auto& c : cases) {
    for (const std::size_t block : {std::size_t{1}, std::size_t{5}, std::size_t{1 << 16}}) {
      EXPECT_EQ(rewrite(c.source, block), header + c.data) << c.name << ", blocks of " << block;
    }
  }
}

TEST(GridRewrite, HeaderKeepsTheTypedTextsExactly) {
  dialogue_answers answers;
  answers.xllcorner = "";
  answers.yllcorner = "-12.5e3";
  answers.cellsize = " 1000 ";
  memory_sink sink;
  text_writer writer(sink);
  write_grid_header(writer, answers);
  ASSERT_TRUE(writer.flush());
  EXPECT_EQ(sink.bytes,
            "NCOLS 1200 \r\nNROWS 1012 \r\nXLLCORNER \r\nYLLCORNER -12.5e3\r\nCELLSIZE  1000 "
            "\r\nNODATA_VALUE\r\n -9999 ");
}

}  // namespace
}  // namespace rainprep
