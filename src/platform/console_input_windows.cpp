#include <fcntl.h>
#include <io.h>

#include <climits>

#include "platform/console_input.h"

namespace rainprep {

std::size_t read_standard_input(char* buffer, std::size_t capacity) {
  // Binary mode, so that the C runtime translates nothing and the console layer's own text
  // rules apply exactly as on every other platform: a console hands over CR LF for Enter.
  static const bool binary = _setmode(0, _O_BINARY) != -1;
  (void)binary;
  const unsigned count = capacity > INT_MAX ? INT_MAX : static_cast<unsigned>(capacity);
  // The end of input, and an error alike, read as 0.
  const int got = _read(0, buffer, count);
  return got > 0 ? static_cast<std::size_t>(got) : 0;
}

}  // namespace rainprep
