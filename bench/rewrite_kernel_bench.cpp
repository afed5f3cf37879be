// The rewrite kernel alone, in memory: one full-size grid read through text_reader, its header
// replaced and its data copied through text_writer, beside a plain memcpy of the same bytes.
// No file system is involved, so the figures show the cost of the text handling itself.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "dialogue.h"
#include "event_grid.h"
#include "grid/grid_rewrite.h"
#include "platform/file.h"
#include "platform/text_file.h"

namespace rainprep::bench {
namespace {

// Hands out a text the way a file does: as much as the reader asks for.
class memory_file final : public byte_source {
 public:
  explicit memory_file(const std::string& bytes) : bytes_(bytes) {}
  long long read(char* buffer, std::size_t capacity) override {
    const std::size_t count = std::min(capacity, bytes_.size() - at_);
    std::memcpy(buffer, bytes_.data() + at_, count);
    at_ += count;
    return static_cast<long long>(count);
  }

 private:
  const std::string& bytes_;
  std::size_t at_ = 0;
};

// Takes bytes into memory that is reused from one iteration to the next, as a file system
// takes them into its cache.
class memory_store final : public byte_sink {
 public:
  explicit memory_store(std::size_t room) : bytes_(room) {}
  bool write(const char* data, std::size_t size) override {
    if (size > bytes_.size() - used_) return false;
    std::memcpy(bytes_.data() + used_, data, size);
    used_ += size;
    return true;
  }
  void rewind() { used_ = 0; }
  std::size_t used() const { return used_; }

 private:
  std::vector<char> bytes_;
  std::size_t used_ = 0;
};

const std::string& full_grid(bool lf_only) {
  static const std::string crlf = event_grid_text(grid_shape{}, 17, 36);
  static const std::string lf = event_grid_text(grid_shape{1012, 1200, true}, 17, 36);
  return lf_only ? lf : crlf;
}

// Source megabytes (10^6 bytes) per second, shown as source_MB=...k/s, and the grid's size.
void report_rate(benchmark::State& state, std::size_t grid_bytes) {
  const double megabytes = static_cast<double>(grid_bytes) / 1e6;
  state.counters["source_MB"] = benchmark::Counter(
      megabytes * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["grid_MB"] = megabytes;
}

void rewrite_in_memory(benchmark::State& state, bool lf_only) {
  const std::string& grid = full_grid(lf_only);
  dialogue_answers answers;
  answers.xllcorner = event_xllcorner;
  answers.yllcorner = event_yllcorner;
  answers.cellsize = event_cellsize;
  // An LF grid gains a CR for every line; there is room for that and for the header.
  memory_store store(grid.size() * 2 + 4096);
  for (auto _ : state) {
    store.rewind();
    memory_file file(grid);
    text_reader source(file);
    text_writer destination(store);
    write_grid_header(destination, answers);
    copy_grid_data(source, destination);
    if (!destination.flush()) state.SkipWithError("the store ran out of room");
    benchmark::DoNotOptimize(store.used());
  }
  report_rate(state, grid.size());
}

void BM_rewrite_crlf_grid(benchmark::State& state) {
  rewrite_in_memory(state, false);
}
void BM_rewrite_lf_grid(benchmark::State& state) {
  rewrite_in_memory(state, true);
}

void BM_memcpy_same_bytes(benchmark::State& state) {
  const std::string& grid = full_grid(false);
  std::vector<char> copy(grid.size());
  for (auto _ : state) {
    std::memcpy(copy.data(), grid.data(), grid.size());
    benchmark::ClobberMemory();
  }
  report_rate(state, grid.size());
}

BENCHMARK(BM_memcpy_same_bytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_rewrite_crlf_grid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_rewrite_lf_grid)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace rainprep::bench

BENCHMARK_MAIN();
