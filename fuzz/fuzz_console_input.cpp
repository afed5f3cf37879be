// Fuzzes console input: random bytes arriving in random read-sized blocks, taken by a random
// run of discards, answer reads and interval reads, against a plain model of what has been
// received. The model translates the whole input first (CR LF one line break, a lone CR kept,
// Ctrl-Z the end) and marks each character with the read that brought its first byte and the
// read after which it is known; a discard drops every character whose first byte has come.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "expected_decimal.h"
#include "platform/console_input.h"

namespace rainprep {
namespace {

constexpr char ctrl_z = 26;

void check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "fuzz_console_input: %s\n", what);
    std::abort();
  }
}

struct model_char {
  char c;
  std::size_t began;  // the read (from 1) that brought its first byte
  std::size_t known;  // the read after which the program can tell what it is
};

class input_model {
 public:
  explicit input_model(const std::vector<std::string>& blocks) {
    std::string raw;
    std::vector<std::size_t> read_of;
    for (std::size_t k = 0; k < blocks.size(); ++k) {
      raw += blocks[k];
      read_of.insert(read_of.end(), blocks[k].size(), k + 1);
    }
    // The read that returns nothing, unless a Ctrl-Z ends the input first.
    last_read_ = blocks.size() + 1;
    for (std::size_t i = 0; i < raw.size(); ++i) {
      if (raw[i] == ctrl_z) {
        last_read_ = read_of[i];
        break;
      }
      if (raw[i] != '\r') {
        chars_.push_back({raw[i], read_of[i], read_of[i]});
      } else if (i + 1 < raw.size() && raw[i + 1] == '\n') {
        chars_.push_back({'\n', read_of[i], read_of[i + 1]});
        ++i;
      } else {
        // Lone, which shows only once the next byte or the end has been read.
        chars_.push_back({'\r', read_of[i], i + 1 < raw.size() ? read_of[i + 1] : last_read_});
      }
    }
  }

  std::size_t reads() const { return reads_; }
  bool at_end() const { return ended_ && next_ == chars_.size(); }

  void discard() {
    while (next_ < chars_.size() && chars_[next_].began <= reads_)
      ++next_;
  }

  void read_answer(std::string& field) {
    int c = get();
    if (c < 0) return;
    field.clear();
    for (; c >= 0 && c != '\n'; c = get())
      field += static_cast<char>(c);
  }

  void read_interval(std::int32_t& value) {
    int c = peek();
    for (; c >= 0 &&
           std::string_view(" \t\n\r\v\f").find(static_cast<char>(c)) != std::string_view::npos;
         c = peek()) {
      ++next_;
    }
    std::string number;
    if (c == '+' || c == '-') {
      number += static_cast<char>(c);
      ++next_;
      c = peek();
    }
    bool digits = false;
    for (; c >= '0' && c <= '9'; c = peek()) {
      number += static_cast<char>(c);
      digits = true;
      ++next_;
    }
    if (digits) value = fuzz::expected_decimal(number);
  }

 private:
  int peek() {
    while (next_ == chars_.size() || chars_[next_].known > reads_) {
      if (ended_) return -1;
      ended_ = ++reads_ == last_read_;
    }
    return static_cast<unsigned char>(chars_[next_].c);
  }

  int get() {
    const int c = peek();
    if (c >= 0) ++next_;
    return c;
  }

  std::vector<model_char> chars_;
  std::size_t next_ = 0;
  std::size_t reads_ = 0;
  std::size_t last_read_ = 0;
  bool ended_ = false;
};

std::size_t consume_block_size(FuzzedDataProvider& data) {
  switch (data.ConsumeIntegralInRange(0, 2)) {
    case 0:
      return data.ConsumeIntegralInRange<std::size_t>(1, 8);
    case 1:
      return console_block_size;
    default:
      return data.ConsumeIntegralInRange<std::size_t>(1, console_block_size);
  }
}

}  // namespace
}  // namespace rainprep

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  using namespace rainprep;
  FuzzedDataProvider data(bytes, size);
  const std::vector<std::uint8_t> ops =
      data.ConsumeBytes<std::uint8_t>(data.ConsumeIntegralInRange<std::size_t>(1, 40));
  std::vector<std::size_t> sizes(data.ConsumeIntegralInRange<std::size_t>(0, 12));
  for (auto& block : sizes)
    block = consume_block_size(data);
  // A long run of one character somewhere, so that answers cross many blocks.
  const std::size_t run_length = data.ConsumeIntegralInRange(0, 3) == 0
                                     ? data.ConsumeIntegralInRange<std::size_t>(0, 20000)
                                     : 0;
  const char run_char = data.ConsumeIntegral<char>();
  const std::size_t run_at = data.ConsumeIntegral<std::uint16_t>();
  std::string raw = data.ConsumeRemainingBytesAsString();
  raw.insert(run_at % (raw.size() + 1), run_length, run_char);

  std::vector<std::string> blocks;
  for (std::size_t at = 0, k = 0; at < raw.size(); ++k) {
    const std::size_t length = k < sizes.size() ? sizes[k] : console_block_size;
    blocks.push_back(raw.substr(at, length));
    at += length;
  }

  auto reads = std::make_shared<std::size_t>(0);
  console_input input([blocks, reads](char* buffer, std::size_t capacity) -> std::size_t {
    check(capacity == console_block_size, "a read asked for another block size");
    const std::size_t k = (*reads)++;
    check(k <= blocks.size(), "input was read again after its end");
    if (k == blocks.size()) return 0;
    std::memcpy(buffer, blocks[k].data(), blocks[k].size());
    return blocks[k].size();
  });
  input_model model(blocks);

  for (const std::uint8_t op : ops) {
    switch (op % 4) {
      case 0: {
        const std::size_t before = *reads;
        input.discard_pending_input();
        model.discard();
        check(*reads == before, "a discard read input");
        break;
      }
      case 1: {
        std::string field = "<kept>", expected = "<kept>";
        input.read_answer(field);
        model.read_answer(expected);
        check(field == expected, "read_answer gave another answer");
        break;
      }
      case 2: {
        std::int32_t value = 12345, expected = 12345;
        input.read_interval(value);
        model.read_interval(expected);
        check(value == expected, "read_interval gave another value");
        break;
      }
      default:
        check(input.at_end() == model.at_end(), "at_end disagrees");
    }
    check(*reads == model.reads(), "input was read at another moment");
  }
  return 0;
}
