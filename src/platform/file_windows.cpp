#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <climits>

#include "platform/file.h"

namespace rainprep {
namespace {

bool usable_name(const std::string& name) {
  return !name.empty() && name.find('\0') == std::string::npos;
}

}  // namespace

std::unique_ptr<os_file> os_file::open_for_reading(const std::string& name) {
  if (!usable_name(name)) return nullptr;
  const int fd = _open(name.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
  if (fd < 0) return nullptr;
  struct _stat64 info {};
  if (_fstat64(fd, &info) != 0 || (info.st_mode & _S_IFREG) == 0) {
    _close(fd);
    return nullptr;
  }
  return std::unique_ptr<os_file>(new os_file(fd));
}

std::unique_ptr<os_file> os_file::open_for_writing(const std::string& name) {
  if (!usable_name(name)) return nullptr;
  const int fd = _open(name.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY | _O_NOINHERIT,
                       _S_IREAD | _S_IWRITE);
  if (fd < 0) return nullptr;
  return std::unique_ptr<os_file>(new os_file(fd));
}

os_file::~os_file() {
  close();
}

long long os_file::read(char* buffer, std::size_t capacity) {
  if (descriptor_ < 0) return -1;
  const unsigned count = capacity > INT_MAX ? INT_MAX : static_cast<unsigned>(capacity);
  return _read(descriptor_, buffer, count);
}

bool os_file::write(const char* data, std::size_t size) {
  if (descriptor_ < 0) return false;
  while (size > 0) {
    const unsigned chunk = size > INT_MAX ? INT_MAX : static_cast<unsigned>(size);
    const int count = _write(descriptor_, data, chunk);
    if (count <= 0) return false;
    data += count;
    size -= static_cast<std::size_t>(count);
  }
  return true;
}

// The C library here has no gathered write, and a call per span would make one for every
// CR LF of an LF grid, so several spans are joined first and written in one piece.
bool os_file::write_spans(const byte_span* spans, std::size_t count) {
  if (count == 1) return write(spans[0].data, spans[0].size);
  std::string joined;
  for (std::size_t i = 0; i < count; ++i)
    joined.append(spans[i].data, spans[i].size);
  return write(joined.data(), joined.size());
}

long long os_file::size() const {
  struct _stat64 info {};
  if (descriptor_ < 0 || _fstat64(descriptor_, &info) != 0) return -1;
  return static_cast<long long>(info.st_size);
}

// Setting room aside is only a hint, and this build has no use for it.
void os_file::reserve(long long) {}

bool os_file::close() {
  if (descriptor_ < 0) return true;
  const int fd = descriptor_;
  descriptor_ = -1;
  return _close(fd) == 0;
}

}  // namespace rainprep
