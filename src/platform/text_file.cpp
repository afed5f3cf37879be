#include "platform/text_file.h"

#include <algorithm>
#include <cstring>

namespace rainprep {
namespace {

// The unit of writing: large enough that a system call moves plenty of data, small enough to
// stay in the processor's cache between the read that fills a block and the write that
// empties it. Writes end at file offsets that are multiples of it, where the system's file
// cache keeps its pages in large pieces; a grid written in blocks that straddle them copies
// measurably slower.
constexpr std::size_t block_size = 256 * 1024;
// A reader takes in from half a block to one and a half at a time, so that the copy's blocks
// can end where the destination's do.
constexpr std::size_t reader_room = block_size + block_size / 2;
constexpr char ctrl_z = 26;
// The pieces of a block handed to the writer at once: enough for the rows of a real grid,
// whose LF line breaks each split a block.
constexpr std::size_t most_spans = 128;

// Fresh memory costs a page fault per page when first touched, which for blocks this large
// and a reader and writer per grid adds up over an event; so the blocks of finished readers
// and writers are kept for the next ones.
struct kept_blocks {
  static constexpr int room = 4;
  std::unique_ptr<char[]> blocks[room];
  int count = 0;
};
thread_local kept_blocks kept;

// Every block is as large as a reader needs, so that any block serves either.
text_block take_block() {
  if (kept.count > 0) {
    return text_block(kept.blocks[--kept.count].release());
  }
  return text_block(new char[reader_room]);
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

bool text_reader::fill(std::size_t want) {
  if (source_done_) {
    return false;
  }
  if (begin_ > 0) {
    std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  const long long count = source_.read(buffer_.get() + end_, std::min(want, reader_room - end_));
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
    if (begin_ == end_ && !fill(reader_room)) {
      break;
    }
    const char c = buffer_[begin_];
    if (c == '\r') {
      // Whether this CR is half of a line break depends on the next byte, which may not have
      // been taken in yet.
      if (begin_ + 1 == end_) {
        fill(reader_room);
      }
      if (begin_ + 1 < end_ && buffer_[begin_ + 1] == '\n') {
        out[count++] = '\n';
        begin_ += 2;
        break;
      }
    }
    out[count++] = c;
    ++begin_;
    if (c == '\n') {
      break;
    }
  }
  return count;
}

void copy_rest(text_reader& reader, text_writer& writer) {
  // Read as text and written as text, CR LF stays CR LF, a lone CR stays, and only an LF
  // without a CR before it changes: it gains one. So blocks pass whole, broken only there,
  // and the pieces go to the file together rather than copied into the writer's buffer.
  static const char line_break[] = "\r\n";
  byte_span spans[most_spans];
  std::size_t count = 0;
  bool cr_before_block = false;
  for (;;) {
    if (reader.begin_ == reader.end_) {
      // Take in as much as brings the destination to the end of one of its blocks if the
      // bytes pass unchanged, so that they can go to the file without being copied again.
      const std::size_t at = (writer.position_ + writer.used_) % block_size;
      const std::size_t want =
          block_size - at < block_size / 2 ? 2 * block_size - at : block_size - at;
      if (!reader.fill(want)) {
        break;
      }
    }
    const char* const block = reader.buffer_.get() + reader.begin_;
    const char* const block_end = reader.buffer_.get() + reader.end_;
    const char* span = block;
    const char* p = block;
    while (const void* found = std::memchr(p, '\n', static_cast<std::size_t>(block_end - p))) {
      const char* lf = static_cast<const char*>(found);
      const bool after_cr = lf > block ? lf[-1] == '\r' : cr_before_block;
      if (!after_cr) {
        if (count + 3 > most_spans) {
          writer.put_spans(spans, count);
          count = 0;
        }
        spans[count++] = {span, static_cast<std::size_t>(lf - span)};
        spans[count++] = {line_break, 2};
        span = lf + 1;
      }
      p = lf + 1;
    }
    spans[count++] = {span, static_cast<std::size_t>(block_end - span)};
    // The spans point into the reader's buffer, so they go before it is filled again.
    writer.put_spans(spans, count);
    count = 0;
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
  while (size > 0 && !failed_) {
    const std::size_t at = position_ + used_;
    const std::size_t to_boundary = block_size - at % block_size;
    if (used_ == 0 && to_boundary == block_size && size >= block_size) {
      // Whole blocks from a block's start need no buffer.
      const std::size_t whole = size - size % block_size;
      send(data, whole);
      data += whole;
      size -= whole;
      continue;
    }
    const std::size_t count = std::min({size, to_boundary, block_size - used_});
    std::memcpy(buffer_.get() + used_, data, count);
    used_ += count;
    data += count;
    size -= count;
    if (count == to_boundary || used_ == block_size) {
      flush();
    }
  }
}

void text_writer::put_spans(const byte_span* spans, std::size_t count) {
  if (failed_) {
    return;
  }
  std::size_t total = 0;
  for (std::size_t i = 0; i < count; ++i) {
    total += spans[i].size;
  }
  const std::size_t at = position_ + used_;
  const std::size_t cut = (at + total) / block_size * block_size;  // the last block end reached
  std::size_t i = 0;
  std::size_t taken = 0;  // bytes of spans[i] already handed over
  if (cut > at) {
    // What is buffered and the spans up to the block end go out in one call.
    byte_span out[most_spans + 1];
    std::size_t n = 0;
    if (used_ > 0) {
      out[n++] = {buffer_.get(), used_};
    }
    for (std::size_t need = cut - at; need > 0; ++i) {
      taken = std::min(need, spans[i].size);
      out[n++] = {spans[i].data, taken};
      need -= taken;
      if (taken < spans[i].size) {
        break;
      }
      taken = 0;
    }
    failed_ = !sink_.write_spans(out, n);
    position_ = cut;
    used_ = 0;
  }
  // The rest waits in the buffer for the next block end.
  for (; i < count; ++i, taken = 0) {
    put(spans[i].data + taken, spans[i].size - taken);
  }
}

void text_writer::send(const char* data, std::size_t size) {
  failed_ = !sink_.write(data, size);
  position_ += size;
}

bool text_writer::flush() {
  if (!failed_ && used_ > 0) {
    send(buffer_.get(), used_);
  }
  used_ = 0;
  return !failed_;
}

}  // namespace rainprep
