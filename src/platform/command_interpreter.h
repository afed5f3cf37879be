// The platform's command interpreter, given a command text and waited for.
#pragma once

#include <string>

namespace rainprep {

// Runs `command_text` (the name of a batch file in the working directory) and returns when it
// has finished, without a time limit. The interpreter inherits the environment, the working
// directory and the console. On Windows this is the C library's system(). Elsewhere the
// program that COMSPEC names is started with "/c" and the text; failing that, a cmd.exe in the
// working directory or along PATH; failing that, the batch's lines are run here one by one,
// each as one command, and a command that cannot be started is reported on standard error.
void run_command_interpreter(const std::string& command_text);

}  // namespace rainprep
