#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

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

bool clear_nonblocking(int fd) {
  const int flags = ::fcntl(fd, F_GETFL);
  return flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

}  // namespace

std::unique_ptr<os_file> os_file::open_for_reading(const std::string& name) {
  // Without O_NONBLOCK, opening a FIFO would wait for a writer that never comes.
  const int fd = open_descriptor(name, O_RDONLY | O_NONBLOCK);
  if (fd < 0) return nullptr;
  // Only a regular file has an end: a FIFO, a terminal or /dev/zero would leave the copy
  // waiting or growing for ever.
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || !clear_nonblocking(fd)) {
    ::close(fd);
    return nullptr;
  }
  return std::unique_ptr<os_file>(new os_file(fd));
}

std::unique_ptr<os_file> os_file::open_for_writing(const std::string& name) {
  // A FIFO that nobody reads fails at once instead of waiting for a reader. Devices such as
  // /dev/full stay allowed: writing to them reports its own failures.
  const int fd = open_descriptor(name, O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK);
  if (fd < 0) return nullptr;
  if (!clear_nonblocking(fd)) {
    ::close(fd);
    return nullptr;
  }
  return std::unique_ptr<os_file>(new os_file(fd));
}

os_file::~os_file() {
  close();
}

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
    written_ += count;
  }
  return true;
}

bool os_file::write_spans(const byte_span* spans, std::size_t count) {
  if (descriptor_ < 0) return false;
  // The system takes a limited number of spans a call, and may write fewer bytes than asked,
  // ending anywhere inside a span.
  constexpr std::size_t most_spans = IOV_MAX < 256 ? IOV_MAX : 256;
  std::size_t next = 0;     // first span not wholly written
  std::size_t skipped = 0;  // bytes of that span already written
  for (;;) {
    while (next < count && spans[next].size == skipped) {
      ++next;
      skipped = 0;
    }
    if (next == count) return true;
    iovec pieces[most_spans];
    std::size_t n = 0;
    for (std::size_t i = next; i < count && n < most_spans; ++i, ++n) {
      const std::size_t offset = i == next ? skipped : 0;
      pieces[n].iov_base = const_cast<char*>(spans[i].data + offset);
      pieces[n].iov_len = spans[i].size - offset;
    }
    const ssize_t written = ::writev(descriptor_, pieces, static_cast<int>(n));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    written_ += written;
    for (std::size_t left = static_cast<std::size_t>(written); left > 0;) {
      const std::size_t rest = spans[next].size - skipped;
      if (left < rest) {
        skipped += left;
        left = 0;
      } else {
        left -= rest;
        ++next;
        skipped = 0;
      }
    }
  }
}

long long os_file::size() const {
  struct stat info {};
  if (descriptor_ < 0 || ::fstat(descriptor_, &info) != 0) return -1;
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
  if (descriptor_ < 0) return true;
  // Room set aside beyond what was written would stay allocated past the end of the file;
  // cutting the file at its own size gives it back. A failure here loses only room on disk,
  // never bytes of the file, so it is not reported.
  if (reserved_ > written_) {
    const int cut = ::ftruncate(descriptor_, static_cast<off_t>(written_));
    (void)cut;
  }
  const int fd = descriptor_;
  descriptor_ = -1;
  // The descriptor is released even when close reports an error; retrying could close a
  // descriptor that another open has since been given.
  return ::close(fd) == 0;
}

}  // namespace rainprep
