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
  if (!usable_name(name))
    return -1;
  for (;;) {
    const int fd = ::open(name.c_str(), flags | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EINTR)
      return fd;
  }
}

}  // namespace

std::unique_ptr<os_file> os_file::open_for_reading(const std::string& name) {
  const int fd = open_descriptor(name, O_RDONLY);
  if (fd < 0)
    return nullptr;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  return std::unique_ptr<os_file>(new os_file(fd));
}

std::unique_ptr<os_file> os_file::open_for_writing(const std::string& name) {
  const int fd = open_descriptor(name, O_WRONLY | O_CREAT | O_TRUNC);
  if (fd < 0)
    return nullptr;
  return std::unique_ptr<os_file>(new os_file(fd));
}

os_file::~os_file() {
  close();
}

long long os_file::read(char* buffer, std::size_t capacity) {
  if (descriptor_ < 0)
    return -1;
  for (;;) {
    const ssize_t count = ::read(descriptor_, buffer, capacity);
    if (count >= 0 || errno != EINTR)
      return count;
  }
}

bool os_file::write(const char* data, std::size_t size) {
  if (descriptor_ < 0)
    return false;
  while (size > 0) {
    const ssize_t count = ::write(descriptor_, data, size);
    if (count < 0 && errno == EINTR)
      continue;
    if (count <= 0)
      return false;
    data += count;
    size -= static_cast<std::size_t>(count);
    written_ += count;
  }
  return true;
}

long long os_file::size() const {
  struct stat info {};
  if (descriptor_ < 0 || ::fstat(descriptor_, &info) != 0)
    return -1;
  return static_cast<long long>(info.st_size);
}

void os_file::reserve(long long size) {
#if defined(FALLOC_FL_KEEP_SIZE)
  // Blocks set aside in one piece spare the file system from reserving them page by page
  // as the writes arrive; the size stays as it is, so a reader never sees the room.
  if (descriptor_ >= 0 && size > written_ &&
      ::fallocate(descriptor_, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size)) == 0) {
    reserved_ = size;
  }
#else
  (void)size;
#endif
}

bool os_file::close() {
  if (descriptor_ < 0)
    return true;
  // Room set aside beyond what was written would stay allocated past the end of the file;
  // cutting the file at its own size gives it back.
  if (reserved_ > written_ && ::ftruncate(descriptor_, static_cast<off_t>(written_)) != 0) {
    // Only room on disk is lost; the file's bytes are all there.
  }
  const int fd = descriptor_;
  descriptor_ = -1;
  // The descriptor is released even when close reports an error; retrying could close a
  // descriptor that another open has since been given.
  return ::close(fd) == 0;
}

}  // namespace rainprep
