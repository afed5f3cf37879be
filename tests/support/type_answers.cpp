// type_answers: runs a command and types one answer per line of a file after each of
// rainprep's answer prompts, as a person would. Prints the session as a transcript (the
// program's output with each typed answer shown after its prompt) and exits with the
// program's status, or 124 if it timed out.
//
//   type_answers ANSWERS_FILE [--timeout SECONDS] [--quiet] [--elapsed FILE] -- COMMAND [ARGS...]
//
// --elapsed writes to FILE how long the program ran, in milliseconds, from its start to its
// end: the typing tool's own start-up is left out, which is what a benchmark wants.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "prompt_session.h"

int main(int argc, char** argv) {
  using namespace rainprep::test_support;
  if (argc < 4) {
    std::fprintf(stderr,
                 "usage: %s ANSWERS_FILE [--timeout S] [--quiet] [--elapsed FILE] -- COMMAND...\n",
                 argv[0]);
    return 2;
  }
  session_options options;
  bool quiet = false;
  const char* elapsed_file = nullptr;
  int i = 2;
  for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
    if (std::strcmp(argv[i], "--timeout") == 0 && i + 1 < argc) {
      options.timeout_seconds = std::atof(argv[++i]);
    } else if (std::strcmp(argv[i], "--quiet") == 0) {
      quiet = true;
    } else if (std::strcmp(argv[i], "--elapsed") == 0 && i + 1 < argc) {
      elapsed_file = argv[++i];
    } else {
      std::fprintf(stderr, "type_answers: unknown option %s\n", argv[i]);
      return 2;
    }
  }
  for (++i; i < argc; ++i)
    options.argv.push_back(argv[i]);
  if (options.argv.empty()) {
    std::fprintf(stderr, "type_answers: no command given\n");
    return 2;
  }
  std::ifstream file(argv[1]);
  if (!file) {
    std::fprintf(stderr, "type_answers: cannot read %s\n", argv[1]);
    return 2;
  }
  std::vector<std::string> answers;
  for (std::string line; std::getline(file, line);)
    answers.push_back(line);

  const session_result result = run_answering(options, answers);
  if (!quiet) {
    std::string transcript;
    std::size_t from = 0;
    for (std::size_t k = 0; k < result.answered_at.size(); ++k) {
      const std::size_t at = result.answered_at[k];
      transcript.append(result.output, from, at - from);
      transcript += answers[k] + "\n";  // the answer, and the Enter that ends it
      from = at;
    }
    transcript.append(result.output, from, std::string::npos);
    std::cout << transcript << std::flush;
  }
  std::cerr << result.errors << std::flush;
  if (elapsed_file != nullptr) {
    std::ofstream elapsed(elapsed_file);
    elapsed << result.elapsed_seconds * 1000 << "\n";
  }
  if (result.timed_out) {
    std::fprintf(stderr, "type_answers: timed out after %g s\n", options.timeout_seconds);
    return 124;
  }
  return result.exit_status;
}
