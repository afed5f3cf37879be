#include "platform/text_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/memory_stream.h"

namespace rainprep {
namespace {

using test_support::memory_sink;
using test_support::memory_source;

// Every piece read_piece hands out, with pieces of at most `max` characters.
std::vector<std::string> pieces(const std::string& bytes, std::size_t max, std::size_t block) {
  memory_source source(bytes, block);
  text_reader reader(source);
  std::vector<std::string> all;
  char out[64];
  while (const std::size_t count = reader.read_piece(out, max))
    all.emplace_back(out, count);
  return all;
}

TEST(TextReader, ReadsTextPieceByPiece) {
  struct reader_case {
    const char* name;
    std::string bytes;
    std::size_t max;
    std::vector<std::string> pieces;
  };
  const reader_case cases[] = {
      {"LF lines", "ab\ncd\n", 10, {"ab\n", "cd\n"}},
      {"CR LF is one line break", "ab\r\ncd\r\n", 10, {"ab\n", "cd\n"}},
      {"lone CR is a character", "a\rb\n\r", 10, {"a\rb\n", "\r"}},
      {"CR before CR LF", "a\r\r\nb", 10, {"a\r\n", "b"}},
      {"long line in several pieces", "abcdefg\n", 3, {"abc", "def", "g\n"}},
      {"line break counts as one", "ab\r\n", 3, {"ab\n"}},
      {"Ctrl-Z ends the text",
       "ab\ncd\x1a"
       "ef\n",
       10,
       {"ab\n", "cd"}},
      {"Ctrl-Z first",
       "\x1a"
       "ab\n",
       10,
       {}},
      {"empty", "", 10, {}},
  };
  for (const auto& c : cases) {
    for (const std::size_t block :
         {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{4096}}) {
      EXPECT_EQ(pieces(c.bytes, c.max, block), c.pieces) << c.name << ", blocks of " << block;
    }
  }
}

TEST(TextReader, ReadErrorEndsTheTextAndIsRemembered) {
  memory_source source("ab\ncd", 4096, /*fail_at_end=*/true);
  text_reader reader(source);
  char out[16];
  EXPECT_EQ(reader.read_piece(out, 16), 3u);
  EXPECT_FALSE(reader.failed());
  EXPECT_EQ(reader.read_piece(out, 16), 2u);
  EXPECT_EQ(reader.read_piece(out, 16), 0u);
  EXPECT_TRUE(reader.failed());
}

TEST(TextWriter, StoresLineBreaksAsCrLf) {
  memory_sink sink;
  text_writer writer(sink);
  writer.write("a\nb\r\n\nc");
  writer.write_bytes("x\ny", 3);
  EXPECT_TRUE(writer.flush());
  EXPECT_EQ(sink.bytes, "a\r\nb\r\r\n\r\ncx\ny");
}

TEST(TextWriter, AFailedWriteIsRememberedAtTheFlush) {
  memory_sink sink(100000);
  text_writer writer(sink);
  const std::string big(70000, 'x');
  writer.write(big);  // passes the buffer, and the sink
  writer.write(big);  // more than the sink has room for
  writer.write("tail");
  EXPECT_FALSE(writer.flush());
  EXPECT_FALSE(writer.flush());
  EXPECT_LE(sink.bytes.size(), 100000u);
}

TEST(CopyRest, MatchesReadingAndWritingAsText) {
  struct copy_case {
    const char* name;
    std::string bytes;
    std::string copied;
  };
  const copy_case cases[] = {
      {"CR LF unchanged", "1 2\r\n3 4\r\n", "1 2\r\n3 4\r\n"},
      {"LF gains a CR", "1 2\n3 4\n", "1 2\r\n3 4\r\n"},
      {"mixed", "a\nb\r\nc\rd\n\n", "a\r\nb\r\nc\rd\r\n\r\n"},
      {"last line without break", "a\nb", "a\r\nb"},
      {"Ctrl-Z ends",
       "a\r\nb\x1a"
       "c\r\n",
       "a\r\nb"},
      {"CR then Ctrl-Z", "a\r\x1a\n", "a\r"},
      {"lone CR at the end", "a\r", "a\r"},
  };
  for (const auto& c : cases) {
    for (const std::size_t block :
         {std::size_t{1}, std::size_t{2}, std::size_t{7}, std::size_t{4096}}) {
      memory_source source(c.bytes, block);
      text_reader reader(source);
      memory_sink sink;
      text_writer writer(sink);
      copy_rest(reader, writer);
      ASSERT_TRUE(writer.flush());
      EXPECT_EQ(sink.bytes, c.copied) << c.name << ", blocks of " << block;
    }
  }
}

}  // namespace
}  // namespace rainprep
