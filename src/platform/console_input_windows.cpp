#include <fcntl.h>
#include <io.h>

#include "platform/console_input.h"

namespace rainprep {

std::size_t read_standard_input(char* buffer, std::size_t capacity) {
  // Binary mode, so that the C runtime translates nothing and the console layer's own text
  // rules apply exactly as on every other platform.
  static const bool binary = _setmode(0, _O_BINARY) != -1;
  (void)binary;
  const int count = _read(0, buffer, static_cast<unsigned>(capacity));
  return count > 0 ? static_cast<std::size_t>(count) : 0;
}

}  // namespace rainprep
