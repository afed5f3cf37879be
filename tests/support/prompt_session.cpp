#include "prompt_session.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace rainprep::test_support {
namespace {

double now_seconds() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

void close_fd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

// Appends what is ready on fd; closes it at its end.
void drain(int& fd, std::string& into) {
  char block[65536];
  for (;;) {
    const ssize_t count = ::read(fd, block, sizeof block);
    if (count > 0) {
      into.append(block, static_cast<std::size_t>(count));
      continue;
    }
    if (count < 0 && errno == EINTR) continue;
    if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
    close_fd(fd);
    return;
  }
}

}  // namespace

const std::vector<std::string>& answer_prompts() {
  static const std::vector<std::string> prompts = {
      "\tIntroduzca la coordenada XLLCORNER: ",
      "\tIntroduzca la coordenada YLLCORNER: ",
      "\tIntroduzca la coordenada CELLSIZE: ",
      "\t\tDia: ",
      "\t\tMes: ",
      "\t\tAno: ",
      "\t\tHora: ",
      "\t\tMin: ",
      "\t\tDia: ",
      "\t\tMes: ",
      "\t\tAno: ",
      "\t\tHora: ",
      "\t\tMin: ",
      "Introduzca el nombre del fichero inicial: ",
      "Introduzca el intervalo de tiempo entre ficheros (min): ",
  };
  return prompts;
}

prompt_session::prompt_session(const session_options& options) {
  ::signal(SIGPIPE, SIG_IGN);
  started_ = now_seconds();
  deadline_ = started_ + options.timeout_seconds;
  int in[2], out[2], err[2];
  if (::pipe(in) != 0 || ::pipe(out) != 0 || ::pipe(err) != 0) return;
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::setpgid(0, 0);
    ::dup2(in[0], 0);
    ::dup2(out[1], 1);
    ::dup2(err[1], 2);
    for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]})
      ::close(fd);
    if (!options.directory.empty() && ::chdir(options.directory.c_str()) != 0) _exit(127);
    for (const auto& name : options.unset_environment)
      ::unsetenv(name.c_str());
    for (const auto& [name, value] : options.environment)
      ::setenv(name.c_str(), value.c_str(), 1);
    std::vector<char*> argv;
    for (const auto& word : options.argv)
      argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    ::execvp(argv[0], argv.data());
    _exit(127);
  }
  ::close(in[0]);
  ::close(out[1]);
  ::close(err[1]);
  input_ = in[1];
  output_ = out[0];
  errors_ = err[0];
  if (pid < 0) {
    close_fd(input_);
    close_fd(output_);
    close_fd(errors_);
    return;
  }
  pid_ = pid;
  ::fcntl(output_, F_SETFL, O_NONBLOCK);
  ::fcntl(errors_, F_SETFL, O_NONBLOCK);
}

prompt_session::~prompt_session() {
  if (pid_ > 0) {
    ::kill(-pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  close_fd(input_);
  close_fd(output_);
  close_fd(errors_);
}

bool prompt_session::pump(double deadline) {
  if (output_ < 0 && errors_ < 0) return false;
  const double left = deadline - now_seconds();
  if (left <= 0) return false;
  pollfd fds[2] = {{output_, POLLIN, 0}, {errors_, POLLIN, 0}};
  const int ready = ::poll(fds, 2, static_cast<int>(left * 1000) + 1);
  if (ready < 0 && errno != EINTR) return false;
  if (output_ >= 0 && fds[0].revents != 0) drain(output_, result_.output);
  if (errors_ >= 0 && fds[1].revents != 0) drain(errors_, result_.errors);
  return true;
}

bool prompt_session::wait_for(std::string_view text) {
  for (;;) {
    const std::size_t at = result_.output.find(text, matched_);
    if (at != std::string::npos) {
      matched_ = at + text.size();
      return true;
    }
    if (output_ < 0 || !pump(deadline_)) return false;
  }
}

void prompt_session::type(std::string_view text) {
  result_.answered_at.push_back(matched_);
  while (input_ >= 0 && !text.empty()) {
    const ssize_t count = ::write(input_, text.data(), text.size());
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return;
    text.remove_prefix(static_cast<std::size_t>(count));
  }
}

void prompt_session::close_input() {
  close_fd(input_);
}

session_result prompt_session::finish() {
  close_input();
  if (pid_ <= 0) {
    result_.exit_status = 127;
    return result_;
  }
  while ((output_ >= 0 || errors_ >= 0) && pump(deadline_)) {
  }
  int status = 0;
  // Its output has ended, so the program is all but done: look often at first, so that the
  // time taken (which the benchmark reads) is not rounded up by the wait.
  for (useconds_t pause = 20;; pause = pause < 2000 ? pause * 2 : pause) {
    const pid_t done = ::waitpid(pid_, &status, WNOHANG);
    if (done == pid_) break;
    if (now_seconds() >= deadline_) {
      result_.timed_out = true;
      ::kill(-pid_, SIGKILL);
      ::waitpid(pid_, &status, 0);
      break;
    }
    ::usleep(pause);
  }
  result_.elapsed_seconds = now_seconds() - started_;
  pid_ = -1;
  if (result_.timed_out) {
    result_.exit_status = -1;
  } else {
    result_.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  // Whatever the program left in the pipes after being killed.
  if (output_ >= 0) drain(output_, result_.output);
  if (errors_ >= 0) drain(errors_, result_.errors);
  return result_;
}

session_result run_answering(const session_options& options,
                             const std::vector<std::string>& answers) {
  prompt_session session(options);
  const auto& prompts = answer_prompts();
  for (std::size_t i = 0; i < answers.size() && i < prompts.size(); ++i) {
    if (!session.wait_for(prompts[i])) break;
    session.type(answers[i] + "\n");
  }
  return session.finish();
}

}  // namespace rainprep::test_support
