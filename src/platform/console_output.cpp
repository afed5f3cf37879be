#include "platform/console_output.h"

#include <cstdio>

namespace rainprep {

void standard_output::emit(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

}  // namespace rainprep
