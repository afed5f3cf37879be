#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file.h"

namespace rainprep {
namespace {

bool usable_name(const std::string& name) {
  return !name.empty() && name.find('\0') == std::string::npos;
}

// Opens with the call retried on interruption; -1 on failure.
int open_descriptor(const std::string& name, int flags) {
  if (!usable_name(name)) return -1;
  for (;;) {
    const int fd = ::open(name.c_str(), flags | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EINTR) return fd;
  }
}

}  // namespace

std::unique_ptr<os_file> os_file::open_for_reading(const std::string& name) {
  const int fd = open_descriptor(name, O_RDONLY);
  if (fd < 0) return nullptr;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  return std::unique_ptr<os_file>(new os_file(fd));
}

std::unique_ptr<os_file> os_file::open_for_writing(const std::string& name) {
  const int fd = open_descriptor(name, O_WRONLY | O_CREAT | O_TRUNC);
  if (fd < 0) return nullptr;
  return std::unique_ptr<os_file>(new os_file(fd));
}

os_file::~os_file() { close(); }

long long os_file::read(char* buffer, std::size_t capacity) {
  if (descriptor_ < 0) return -1;
  for (;;) {
    const ssize_t count = ::read(descriptor_, buffer, capacity);
    if (count >= 0 || errno != EINTR) return count;
  }
}

bool os_file::write(const char* data, std::size_t size) {
  if (descriptor_ < 0) return false;
  while (size > 0) {
    const ssize_t count = ::write(descriptor_, data, size);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    data += count;
    size -= static_cast<std::size_t>(count);
  }
  return true;
}

bool os_file::close() {
  if (descriptor_ < 0) return true;
  const int fd = descriptor_;
  descriptor_ = -1;
  // The descriptor is released even when close reports an error; retrying could close a
  // descriptor that another open has since been given.
  return ::close(fd) == 0;
}

}  // namespace rainprep
