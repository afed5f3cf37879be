#include <cstdlib>

#include "platform/command_interpreter.h"

namespace rainprep {

void run_command_interpreter(const std::string& command_text) {
  // The result is not examined: the import tool reports its own failures on the console.
  (void)std::system(command_text.c_str());
}

}  // namespace rainprep
