// Console input read as text: blocks taken in from standard input, CR LF turned into one
// line break (also across two blocks), a lone CR kept, Ctrl-Z ending the input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace rainprep {

// The size of one read from standard input.
constexpr std::size_t console_block_size = 4096;

// One operating-system read of up to `capacity` bytes from standard input, waiting for input
// if none is there. Returns the byte count, or 0 at the end of input or on an error.
std::size_t read_standard_input(char* buffer, std::size_t capacity);

class console_input {
 public:
  // `read_block` has the contract of read_standard_input; tests pass their own.
  using block_reader = std::function<std::size_t(char*, std::size_t)>;
  explicit console_input(block_reader read_block = read_standard_input);

  // Reads up to the next line break (consumed, not stored) or the end of input into `field`.
  // If the input had already ended, `field` is left as it was.
  void read_answer(std::string& field);

  // Skips white space (line breaks included), then reads an optional sign and digits into
  // `value`, saturating beyond 32 bits. The character after the number stays unread. Without
  // digits `value` is left as it was.
  void read_interval(std::int32_t& value);

  // Drops what has been taken in and not yet consumed. Reads nothing and never waits; the end
  // of input, once met, stays met.
  void discard_pending_input();

  bool at_end() const { return ended_ && next_ == text_.size(); }

 private:
  // The next character, taking in a block when none is left; -1 at the end of input.
  int peek();
  int get();
  void take_in_block();

  block_reader read_block_;
  std::string text_;      // translated characters taken in
  std::size_t next_ = 0;  // first character not yet consumed
  bool held_cr_ = false;  // a block ended in CR: whether it pairs with LF is not known yet
  bool drop_lf_ = false;  // the held CR was discarded, so a pairing LF goes with it
  bool ended_ = false;
};

}  // namespace rainprep
