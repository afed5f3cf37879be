// Files of the operating system, opened in binary mode: the bytes read and written are the
// bytes on disk on every platform. Text conventions are applied on top (text_file.h).
#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace rainprep {

class byte_source {
 public:
  virtual ~byte_source() = default;
  // Reads up to `capacity` bytes. Returns the count, 0 at the end, -1 on a read error.
  virtual long long read(char* buffer, std::size_t capacity) = 0;
};

// A run of bytes somewhere in memory, one of several written together.
struct byte_span {
  const char* data;
  std::size_t size;
};

class byte_sink {
 public:
  virtual ~byte_sink() = default;
  // Writes all `size` bytes; false if any could not be written.
  virtual bool write(const char* data, std::size_t size) = 0;
  // Writes the spans' bytes one after another, as writing each in turn would; false if any
  // could not be written. A file takes them in one system call where it can.
  virtual bool write_spans(const byte_span* spans, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
      if (!write(spans[i].data, spans[i].size)) {
        return false;
      }
    }
    return true;
  }
};

class os_file final : public byte_source, public byte_sink {
 public:
  // Null when the file is missing or unreadable, is not a regular file (a directory, a FIFO,
  // an endless device), or the name holds a NUL (which the system would silently cut short,
  // naming another file).
  static std::unique_ptr<os_file> open_for_reading(const std::string& name);
  // Creates the file or empties an existing one. Null when that fails, the name is a
  // directory or a FIFO that nobody reads (which would otherwise wait for a reader), or the
  // name holds a NUL. A device such as /dev/full opens; its failures come with the writes.
  static std::unique_ptr<os_file> open_for_writing(const std::string& name);

  os_file(const os_file&) = delete;
  os_file& operator=(const os_file&) = delete;
  ~os_file() override;

  long long read(char* buffer, std::size_t capacity) override;
  bool write(const char* data, std::size_t size) override;
  bool write_spans(const byte_span* spans, std::size_t count) override;
  // False if the system reports a failure. Reading or writing after it fails.
  bool close();

  // The file's size in bytes; -1 if the system cannot tell.
  long long size() const;
  // For a file just opened for writing: sets aside room on disk for it to grow to `size`
  // bytes, so that writing it is quicker. The file's size does not change, and room still
  // unused at the close is given back. Only a hint: where the system has no such thing, or
  // refuses, nothing happens.
  void reserve(long long size);

 private:
  explicit os_file(int descriptor) : descriptor_(descriptor) {}
  int descriptor_;
  long long written_ = 0;   // bytes written since opening
  long long reserved_ = 0;  // room set aside by reserve
};

}  // namespace rainprep
