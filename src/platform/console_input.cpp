#include "platform/console_input.h"

#include <utility>

#include "clock/decimal_text.h"

namespace rainprep {
namespace {
constexpr char ctrl_z = 26;
}

console_input::console_input(block_reader read_block) : read_block_(std::move(read_block)) {}

void console_input::take_in_block() {
  char raw[console_block_size];
  const std::size_t count = ended_ ? 0 : read_block_(raw, sizeof raw);
  if (next_ == text_.size()) {
    text_.clear();
    next_ = 0;
  }
  std::size_t i = 0;
  if (count > 0 && (held_cr_ || drop_lf_)) {
    const bool pairs = raw[0] == '\n';
    if (held_cr_) text_ += pairs ? '\n' : '\r';
    if (pairs) i = 1;
  }
  if (count == 0) {
    ended_ = true;
    if (held_cr_) text_ += '\r';
  }
  held_cr_ = false;
  drop_lf_ = false;
  for (; i < count; ++i) {
    const char c = raw[i];
    if (c == ctrl_z) {
      // A Ctrl-Z ends console input as it ends a text file.
      ended_ = true;
      return;
    }
    if (c != '\r') {
      text_ += c;
    } else if (i + 1 == count) {
      held_cr_ = true;
    } else if (raw[i + 1] == '\n') {
      text_ += '\n';
      ++i;
    } else {
      text_ += '\r';
    }
  }
}

int console_input::peek() {
  while (next_ == text_.size()) {
    if (ended_) return -1;
    take_in_block();
  }
  return static_cast<unsigned char>(text_[next_]);
}

int console_input::get() {
  const int c = peek();
  if (c >= 0) ++next_;
  return c;
}

void console_input::read_answer(std::string& field) {
  int c = get();
  if (c < 0) return;
  field.clear();
  while (c >= 0 && c != '\n') {
    field += static_cast<char>(c);
    c = get();
  }
}

void console_input::read_interval(std::int32_t& value) {
  int c = peek();
  while (c >= 0 && is_white_space(static_cast<char>(c))) {
    ++next_;
    c = peek();
  }
  std::string number;
  if (c == '+' || c == '-') {
    number += static_cast<char>(c);
    ++next_;
    c = peek();
  }
  bool digits = false;
  while (c >= '0' && c <= '9') {
    number += static_cast<char>(c);
    digits = true;
    ++next_;
    c = peek();
  }
  if (digits) value = decimal_value(number);
}

void console_input::discard_pending_input() {
  text_.clear();
  next_ = 0;
  if (held_cr_) {
    held_cr_ = false;
    drop_lf_ = true;
  }
}

}  // namespace rainprep
