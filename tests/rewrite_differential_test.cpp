// The streaming grid rewrite against the plain reference (support/reference_rewrite.h), over
// random sources: random lengths, line breaks of every kind, lone CRs, Ctrl-Z, lines around
// 999 characters and the long rows of real grids. The seeds are fixed, so a failure names a
// case that runs again the same way.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "grid/grid_rewrite.h"
#include "support/memory_stream.h"
#include "support/reference_rewrite.h"

namespace rainprep {
namespace {

using test_support::memory_sink;
using test_support::memory_source;
using test_support::reference_rewrite;

class random_text {
 public:
  explicit random_text(std::uint64_t seed) : bits_(seed) {}

  // A number in [low, high]; the standard distributions differ between libraries, so the
  // mapping is done here to give the same sources everywhere.
  std::size_t between(std::size_t low, std::size_t high) {
    return low + static_cast<std::size_t>(bits_() % (high - low + 1));
  }
  bool one_in(std::size_t n) { return between(1, n) == 1; }

  // A source of about `size` bytes, built from lines whose lengths cluster where the reads
  // of 999 characters split them; one in four has a Ctrl-Z somewhere, after which nothing
  // may appear in the destination.
  std::string source(std::size_t size, bool may_end_early = true) {
    std::string bytes;
    while (bytes.size() < size)
      append_line(bytes);
    if (may_end_early && one_in(4)) bytes.insert(between(0, bytes.size()), 1, '\x1a');
    return bytes;
  }

 private:
  std::size_t line_length() {
    switch (between(0, 9)) {
      case 0:
      case 1:
      case 2:
        return between(0, 12);
      case 3:
      case 4:
        return between(995, 1001);  // one read, two reads, or a read of a lone line break
      case 5:
        return between(1995, 2000);
      case 6:
        return between(3000, 9000);  // data rows of real grids
      default:
        return between(13, 994);
    }
  }

  void append_line(std::string& bytes) {
    static const char cells[] = "0123456789.- -9999 ";
    const std::size_t length = line_length();
    for (std::size_t i = 0; i < length; ++i) {
      if (one_in(500)) {
        bytes += '\r';  // a CR inside a line is an ordinary character
      } else if (one_in(2000)) {
        bytes += static_cast<char>(between(0, 255));
      } else {
        bytes += cells[between(0, sizeof cells - 2)];
      }
    }
    static const char* const breaks[] = {"\r\n", "\r\n", "\n", "\n", "\r", "\r\r\n", "\n\r", ""};
    bytes += breaks[between(0, 7)];
  }

  std::mt19937_64 bits_;
};

dialogue_answers typed_answers() {
  dialogue_answers answers;
  answers.xllcorner = "-2324000";
  answers.yllcorner = " 5100000\r";  // a lone CR typed into an answer stays a character
  answers.cellsize = "2000 ";
  return answers;
}

std::string expected_for(const std::string& source) {
  const dialogue_answers a = typed_answers();
  return reference_rewrite(source, a.xllcorner, a.yllcorner, a.cellsize);
}

// Where two byte strings first differ, for a failure message that stays readable.
std::string first_difference(const std::string& got, const std::string& want) {
  std::size_t at = 0;
  while (at < got.size() && at < want.size() && got[at] == want[at])
    ++at;
  return "sizes " + std::to_string(got.size()) + " and " + std::to_string(want.size()) +
         ", first difference at byte " + std::to_string(at);
}

// Through text_reader and text_writer over a source that hands its bytes out in blocks of a
// chosen size, so that block boundaries fall everywhere: inside CR LF, just before a Ctrl-Z,
// at the end of a read of 999 characters.
TEST(RewriteDifferential, StreamingCopyMatchesReferenceAtEveryBlockBoundary) {
  random_text random(20240406);
  for (int n = 0; n < 400; ++n) {
    // Mostly short sources; some tiny, and some long enough that the destination crosses
    // the ends of the writer's blocks while the source comes in small pieces.
    const std::size_t size = random.one_in(10)   ? random.between(0, 40)
                             : random.one_in(15) ? random.between(300000, 700000)
                                                 : random.between(0, 24000);
    const std::string source = random.source(size);
    const std::size_t block =
        random.one_in(3) && size < 100000 ? random.between(1, 4) : random.between(1, 5000);
    memory_source reader_source(source, block);
    text_reader reader(reader_source);
    memory_sink sink;
    text_writer writer(sink);
    write_grid_header(writer, typed_answers());
    copy_grid_data(reader, writer);
    ASSERT_TRUE(writer.flush());
    const std::string want = expected_for(source);
    ASSERT_TRUE(sink.bytes == want)
        << "case " << n << " (" << source.size() << " source bytes, blocks of " << block
        << "): " << first_difference(sink.bytes, want);
  }
}

// Through the program's own files, with sources large enough that the copy crosses many of
// its blocks.
class RewriteDifferentialFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("rainprep_differential_" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string rewrite_file(const std::string& source) {
    const std::string source_name = (folder_ / "lluvia_20240406_0950.asc").string();
    const std::string destination_name = (folder_ / "lluvia_20240406_0950_mod.asc").string();
    std::ofstream(source_name, std::ios::binary) << source;
    step_grids grids;
    captured_output output;
    EXPECT_TRUE(rewrite_grid(source_name, destination_name, typed_answers(), grids, output));
    close_step_grids(grids, output);
    EXPECT_EQ(output.text(), "");
    std::ifstream in(destination_name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  std::filesystem::path folder_;
};

TEST_F(RewriteDifferentialFiles, FileRewriteMatchesReference) {
  random_text random(20240407);
  for (int n = 0; n < 16; ++n) {
    const std::size_t size = n < 4 ? random.between(0, 3000) : random.between(200000, 1500000);
    std::string source = random.source(size);
    if (n % 4 == 1) {
      // Most of a real source needs no change at all: CR LF rows with nothing unusual.
      std::string plain;
      while (plain.size() < size)
        plain += std::string(random.between(3000, 9000), '7') + "\r\n";
      source = random.source(4000, false) + plain + random.source(2000);
    } else if (n % 4 == 2) {
      // Short LF rows: thousands of line breaks to add in every block the copy reads.
      std::string rows;
      while (rows.size() < size)
        rows += std::string(random.between(0, 6), '3') + "\n";
      source = random.source(4000, false) + rows;
    }
    const std::string want = expected_for(source);
    const std::string got = rewrite_file(source);
    ASSERT_TRUE(got == want) << "case " << n << " (" << source.size()
                             << " source bytes): " << first_difference(got, want);
  }
}

}  // namespace
}  // namespace rainprep
