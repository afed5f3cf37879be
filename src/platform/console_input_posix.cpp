#include <unistd.h>

#include <cerrno>

#include "platform/console_input.h"

namespace rainprep {

std::size_t read_standard_input(char* buffer, std::size_t capacity) {
  for (;;) {
    const ssize_t count = ::read(STDIN_FILENO, buffer, capacity);
    if (count >= 0) return static_cast<std::size_t>(count);
    if (errno != EINTR) return 0;
  }
}

}  // namespace rainprep
