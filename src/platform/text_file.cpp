#include "platform/text_file.h"

#include <cstring>

namespace rainprep {
namespace {

// Large enough that a system call moves plenty of data, small enough to stay in the
// processor's cache between the read that fills it and the write that empties it.
constexpr std::size_t block_size = 256 * 1024;
// A span this large goes to the file directly: copying it into the buffer first would only
// cost time.
constexpr std::size_t direct_write_size = block_size / 4;
constexpr char ctrl_z = 26;

// Fresh memory costs a page fault per page when first touched, which for blocks this large
// and a reader and writer per grid adds up over an event; so the blocks of finished readers
// and writers are kept for the next ones.
struct kept_blocks {
  static constexpr int room = 4;
  std::unique_ptr<char[]> blocks[room];
  int count = 0;
};
thread_local kept_blocks kept;

text_block take_block() {
  if (kept.count > 0)
    return text_block(kept.blocks[--kept.count].release());
  return text_block(new char[block_size]);
}

}  // namespace

void text_block_release::operator()(char* block) const {
  if (kept.count < kept_blocks::room) {
    kept.blocks[kept.count++].reset(block);
  } else {
    delete[] block;
  }
}

text_reader::text_reader(byte_source& source) : source_(source), buffer_(take_block()) {}

bool text_reader::fill() {
  if (source_done_)
    return false;
  if (begin_ > 0) {
    std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  const long long count = source_.read(buffer_.get() + end_, block_size - end_);
  if (count <= 0) {
    source_done_ = true;
    failed_ = count < 0;
    return false;
  }
  char* fresh = buffer_.get() + end_;
  // Whatever follows a Ctrl-Z is not part of the text, so it never enters the buffer.
  if (const void* z = std::memchr(fresh, ctrl_z, static_cast<std::size_t>(count))) {
    end_ += static_cast<std::size_t>(static_cast<const char*>(z) - fresh);
    source_done_ = true;
    return static_cast<const char*>(z) != fresh;
  }
  end_ += static_cast<std::size_t>(count);
  return true;
}

std::size_t text_reader::read_piece(char* out, std::size_t max) {
  std::size_t count = 0;
  while (count < max) {
    if (begin_ == end_ && !fill())
      break;
    const char c = buffer_[begin_];
    if (c == '\r') {
      // Whether this CR is half of a line break depends on the next byte, which may not have
      // been taken in yet.
      if (begin_ + 1 == end_)
        fill();
      if (begin_ + 1 < end_ && buffer_[begin_ + 1] == '\n') {
        out[count++] = '\n';
        begin_ += 2;
        break;
      }
    }
    out[count++] = c;
    ++begin_;
    if (c == '\n')
      break;
  }
  return count;
}

void copy_rest(text_reader& reader, text_writer& writer) {
  // Read as text and written as text, CR LF stays CR LF, a lone CR stays, and only an LF
  // without a CR before it changes: it gains one. So blocks pass whole, broken only there.
  bool cr_before_block = false;
  while (reader.begin_ < reader.end_ || reader.fill()) {
    const char* const block = reader.buffer_.get() + reader.begin_;
    const char* const block_end = reader.buffer_.get() + reader.end_;
    const char* span = block;
    const char* p = block;
    while (const void* found = std::memchr(p, '\n', static_cast<std::size_t>(block_end - p))) {
      const char* lf = static_cast<const char*>(found);
      const bool after_cr = lf > block ? lf[-1] == '\r' : cr_before_block;
      if (!after_cr) {
        writer.write_bytes(span, static_cast<std::size_t>(lf - span));
        writer.write_bytes("\r\n", 2);
        span = lf + 1;
      }
      p = lf + 1;
    }
    writer.write_bytes(span, static_cast<std::size_t>(block_end - span));
    cr_before_block = block_end[-1] == '\r';
    reader.begin_ = reader.end_;
  }
}

text_writer::text_writer(byte_sink& sink) : sink_(sink), buffer_(take_block()) {}

void text_writer::write(std::string_view text) {
  std::size_t start = 0;
  for (std::size_t lf = text.find('\n'); lf != std::string_view::npos;
       lf = text.find('\n', start)) {
    put(text.data() + start, lf - start);
    put("\r\n", 2);
    start = lf + 1;
  }
  put(text.data() + start, text.size() - start);
}

void text_writer::write_bytes(const char* data, std::size_t size) {
  put(data, size);
}

void text_writer::put(const char* data, std::size_t size) {
  if (failed_ || size == 0)
    return;
  if (size >= direct_write_size) {
    if (flush())
      failed_ = !sink_.write(data, size);
    return;
  }
  if (used_ + size > block_size && !flush())
    return;
  std::memcpy(buffer_.get() + used_, data, size);
  used_ += size;
}

bool text_writer::flush() {
  if (!failed_ && used_ > 0)
    failed_ = !sink_.write(buffer_.get(), used_);
  used_ = 0;
  return !failed_;
}

}  // namespace rainprep
