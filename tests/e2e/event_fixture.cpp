#include "event_fixture.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace rainprep::test_support {
namespace {

void remove_tree(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return;
  if (S_ISDIR(info.st_mode)) {
    if (DIR* dir = ::opendir(path.c_str())) {
      while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") remove_tree(path + "/" + name);
      }
      ::closedir(dir);
    }
    ::rmdir(path.c_str());
  } else {
    ::unlink(path.c_str());
  }
}

}  // namespace

std::vector<std::string> event_answers::typed() const {
  std::vector<std::string> all = {xllcorner, yllcorner, cellsize};
  all.insert(all.end(), start.begin(), start.end());
  all.insert(all.end(), end.begin(), end.end());
  all.push_back(base_name);
  all.push_back(interval);
  return all;
}

std::string source_grid(const std::vector<std::string>& rows, const std::string& line_break) {
  std::string text;
  for (const char* header : {"ncols 4", "nrows 3", "xllcorner 1.5", "yllcorner 2.5", "cellsize 250",
                             "NODATA_value -1"}) {
    text += header + line_break;
  }
  for (const auto& row : rows)
    text += row + line_break;
  return text;
}

std::string rewritten_grid(const event_answers& answers, const std::vector<std::string>& rows) {
  std::string text = "NCOLS 1200 \r\nNROWS 1012 \r\nXLLCORNER " + answers.xllcorner +
                     "\r\nYLLCORNER " + answers.yllcorner + "\r\nCELLSIZE " + answers.cellsize +
                     "\r\nNODATA_VALUE\r\n -9999 ";
  for (const auto& row : rows)
    text += row + "\r\n";
  return text;
}

void event_fixture::SetUp() {
  std::string pattern = ::testing::TempDir() + "rainprep_e2e_XXXXXX";
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  char* real = ::realpath(pattern.c_str(), nullptr);
  directory_ = real;
  std::free(real);
  make_directory("tools");
  write_script("tools/interpreter",
               "printf '%s\\n' \"$@\" > \"${0%/*}/interpreter_args.txt\"\n"
               "pwd > \"${0%/*}/interpreter_cwd.txt\"\n"
               "cat bat.bat > \"${0%/*}/interpreter_saw.bat\"\n");
  options_.argv = {RAINPREP_EXE};
  options_.directory = directory_;
  options_.environment = {{"COMSPEC", path("tools/interpreter")}};
  options_.timeout_seconds = 60;
}

void event_fixture::TearDown() {
  remove_tree(directory_);
}

void event_fixture::write_file(const std::string& name, const std::string& bytes) const {
  std::ofstream out(path(name), std::ios::binary);
  out << bytes;
  ASSERT_TRUE(out.good()) << name;
}

void event_fixture::write_script(const std::string& name, const std::string& body) const {
  write_file(name, "#!/bin/sh\n" + body);
  ::chmod(path(name).c_str(), 0755);
}

std::string event_fixture::read_file(const std::string& name) const {
  // Opening a FIFO would wait for a writer; only regular files have contents to compare.
  struct stat info {};
  if (::stat(path(name).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return "";
  std::ifstream in(path(name), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool event_fixture::exists(const std::string& name) const {
  struct stat info {};
  return ::lstat(path(name).c_str(), &info) == 0;
}

void event_fixture::make_directory(const std::string& name) const {
  ASSERT_EQ(::mkdir(path(name).c_str(), 0755), 0) << name;
}

std::vector<std::string> event_fixture::listing(const std::string& name) const {
  std::vector<std::string> names;
  if (DIR* dir = ::opendir(name.empty() ? directory_.c_str() : path(name).c_str())) {
    while (const dirent* entry = ::readdir(dir)) {
      const std::string entry_name = entry->d_name;
      if (entry_name != "." && entry_name != "..") names.push_back(entry_name);
    }
    ::closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

session_result event_fixture::run(const event_answers& answers) {
  return run_typed(answers.typed());
}

session_result event_fixture::run_typed(const std::vector<std::string>& typed) {
  return run_answering(options_, typed);
}

}  // namespace rainprep::test_support
