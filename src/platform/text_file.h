// Text files with this program's conventions on every platform: a line break is stored as
// CR LF; on reading, CR LF is one line break, a lone CR an ordinary character, and a Ctrl-Z
// ends the text.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

#include "platform/file.h"

namespace rainprep {

class text_writer;

// Gives a reader's or writer's block back for the next one to use.
struct text_block_release {
  void operator()(char* block) const;
};
using text_block = std::unique_ptr<char[], text_block_release>;

class text_reader {
 public:
  explicit text_reader(byte_source& source);

  // Reads characters up to and including the next line break, but at most `max` of them,
  // into `out`. Returns the count; 0 once the text has ended.
  std::size_t read_piece(char* out, std::size_t max);

  // True once a read error has ended the text early.
  bool failed() const { return failed_; }

  // Copies the rest of the text to `writer`: the same bytes as reading it piece by piece and
  // writing every piece, but in whole blocks.
  friend void copy_rest(text_reader& reader, text_writer& writer);

 private:
  // Takes in up to `want` more bytes after those not yet consumed (fewer if the buffer has
  // less room); false when nothing more came.
  bool fill(std::size_t want);

  byte_source& source_;
  text_block buffer_;
  std::size_t begin_ = 0;     // first byte not yet consumed
  std::size_t end_ = 0;       // one past the last byte taken in
  bool source_done_ = false;  // end of file, a read error or a Ctrl-Z has been met
  bool failed_ = false;
};

class text_writer {
 public:
  explicit text_writer(byte_sink& sink);

  // Writes text, storing each line break as CR LF.
  void write(std::string_view text);

  // Writes bytes that are already in the file's form.
  void write_bytes(const char* data, std::size_t size);

  // Writes out what is pending. False if this or any earlier write failed: a failure is
  // remembered, and nothing more is written after it.
  bool flush();

  friend void copy_rest(text_reader& reader, text_writer& writer);

 private:
  // Buffers the bytes and writes the buffer out whenever the file reaches the end of one of
  // its blocks; whole blocks that start there are written directly.
  void put(const char* data, std::size_t size);
  // The same for several spans in turn (at most 128), written together with the buffer when
  // they reach the end of a block.
  void put_spans(const byte_span* spans, std::size_t count);
  void send(const char* data, std::size_t size);

  byte_sink& sink_;
  text_block buffer_;
  std::size_t position_ = 0;  // bytes handed to the sink so far
  std::size_t used_ = 0;
  bool failed_ = false;
};

}  // namespace rainprep
