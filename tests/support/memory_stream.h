// In-memory stand-ins for files: a source handing out its bytes in blocks of a chosen size
// (so block boundaries fall where a test wants them), and a sink that collects or refuses.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/file.h"

namespace rainprep::test_support {

class memory_source final : public byte_source {
 public:
  explicit memory_source(std::string bytes, std::size_t block = 1 << 16, bool fail_at_end = false)
      : bytes_(std::move(bytes)), block_(block), fail_at_end_(fail_at_end) {}

  long long read(char* buffer, std::size_t capacity) override {
    const std::size_t count = std::min({capacity, block_, bytes_.size() - at_});
    if (count == 0 && fail_at_end_) return -1;
    std::memcpy(buffer, bytes_.data() + at_, count);
    at_ += count;
    return static_cast<long long>(count);
  }

 private:
  std::string bytes_;
  std::size_t block_;
  bool fail_at_end_;
  std::size_t at_ = 0;
};

class memory_sink final : public byte_sink {
 public:
  // Accepts at most `room` bytes, as a full disk would.
  explicit memory_sink(std::size_t room = std::string::npos) : room_(room) {}

  bool write(const char* data, std::size_t size) override {
    if (bytes.size() + size > room_) return false;
    bytes.append(data, size);
    return true;
  }

  std::string bytes;

 private:
  std::size_t room_;
};

}  // namespace rainprep::test_support
