// Runs a program with pipes for its standard streams and answers its prompts the way a person
// at the console does: each answer is typed only once its prompt has been printed.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rainprep::test_support {

struct session_options {
  std::vector<std::string> argv;  // argv[0] is looked up along PATH if it has no slash
  std::string directory;          // working directory of the program; empty: this one
  std::vector<std::pair<std::string, std::string>> environment;  // set on top of ours
  std::vector<std::string> unset_environment;                    // removed from ours
  double timeout_seconds = 30;  // for the whole session, after which it is killed
};

struct session_result {
  int exit_status = -1;  // -1 when killed or ended by a signal
  bool timed_out = false;
  std::string output;  // standard output, as received
  std::string errors;  // standard error, as received
  // Offsets in `output` right after each prompt that was answered.
  std::vector<std::size_t> answered_at;
  // From starting the program until it had ended, answers and all.
  double elapsed_seconds = 0;
};

// The program's fifteen answer prompts, in order, each as its last line reads: without the
// line break in front, so they match whether line breaks arrive as LF or CR LF.
const std::vector<std::string>& answer_prompts();

class prompt_session {
 public:
  // Starts the program. If it cannot be started, every later call fails and finish() reports
  // exit status 127.
  explicit prompt_session(const session_options& options);
  prompt_session(const prompt_session&) = delete;
  prompt_session& operator=(const prompt_session&) = delete;
  ~prompt_session();

  // Waits until `text` appears in standard output after the end of the previous match. False
  // if the output ends or the session's time runs out first.
  bool wait_for(std::string_view text);

  // Writes to the program's standard input.
  void type(std::string_view text);
  void close_input();

  // Closes standard input, collects the rest of the output and the exit status, killing the
  // program (and everything it started) if the session's time runs out.
  session_result finish();

 private:
  // Takes in whatever output is ready, waiting at most until the deadline; false at its end.
  bool pump(double deadline);

  double started_ = 0;
  double deadline_ = 0;
  int pid_ = -1;
  int input_ = -1;
  int output_ = -1;
  int errors_ = -1;
  std::size_t matched_ = 0;
  session_result result_;
};

// Types answers[i] and a line break after the i-th answer prompt. When there are fewer
// answers than prompts, standard input is closed after the last one.
session_result run_answering(const session_options& options,
                             const std::vector<std::string>& answers);

}  // namespace rainprep::test_support
