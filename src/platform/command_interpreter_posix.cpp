#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/command_interpreter.h"
#include "platform/command_words.h"
#include "platform/file.h"

extern char** environ;

namespace rainprep {
namespace {

void wait_for(pid_t child) {
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
}

// Starts the program at `path` with the given words and waits for it. False if it could
// not be started.
bool start_and_wait(const std::string& path, const std::vector<std::string>& words) {
  std::vector<char*> argv;
  argv.reserve(words.size() + 1);
  for (const auto& word : words)
    argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  pid_t child = 0;
  if (::posix_spawn(&child, path.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
    return false;
  wait_for(child);
  return true;
}

bool is_executable_file(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         ::access(path.c_str(), X_OK) == 0;
}

// The program a command name stands for: the name itself if it holds a slash, else the
// first executable of that name along PATH. Empty if there is none. Looking it up here,
// rather than letting a spawn try every folder, keeps a missing tool cheap on every line.
std::string find_program(const std::string& name) {
  if (name.find('/') != std::string::npos) return is_executable_file(name) ? name : std::string();
  const char* path = std::getenv("PATH");
  const std::string dirs = path != nullptr ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  for (;;) {
    const std::size_t colon = dirs.find(':', start);
    std::string dir = dirs.substr(start, colon == std::string::npos ? colon : colon - start);
    if (dir.empty()) dir = ".";
    std::string candidate = dir + "/" + name;
    if (is_executable_file(candidate)) return candidate;
    if (colon == std::string::npos) return {};
    start = colon + 1;
  }
}

// cmd.exe in the working directory, then along PATH; empty if there is none.
std::string find_cmd_exe() {
  return is_executable_file("cmd.exe") ? "./cmd.exe" : find_program("cmd.exe");
}

bool run_interpreter(const std::string& program, const std::string& command_text) {
  return start_and_wait(program, {program, "/c", command_text});
}

std::string read_whole_file(const std::string& name) {
  std::string text;
  auto file = os_file::open_for_reading(name);
  if (!file) return text;
  char block[64 * 1024];
  for (long long count; (count = file->read(block, sizeof block)) > 0;) {
    text.append(block, static_cast<std::size_t>(count));
  }
  return text;
}

// With no interpreter at hand, each line of the batch is one command, run in order.
void run_lines_directly(const std::string& batch_name) {
  const std::string text = read_whole_file(batch_name);
  std::size_t start = 0;
  for (int number = 1; start < text.size(); ++number) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    start = end + 1;
    const std::vector<std::string> words = split_command_words(line);
    if (words.empty()) continue;
    const std::string program = find_program(words[0]);
    if (program.empty() || !start_and_wait(program, words)) {
      std::fprintf(stderr, "%s: line %d: %s: command not found\n", batch_name.c_str(), number,
                   words[0].c_str());
      std::fflush(stderr);
    }
  }
}

}  // namespace

void run_command_interpreter(const std::string& command_text) {
  const char* comspec = std::getenv("COMSPEC");
  if (comspec != nullptr && *comspec != '\0' && run_interpreter(comspec, command_text)) return;
  const std::string cmd_exe = find_cmd_exe();
  if (!cmd_exe.empty() && run_interpreter(cmd_exe, command_text)) return;
  run_lines_directly(command_text);
}

}  // namespace rainprep
