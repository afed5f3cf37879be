// Fuzzes the grid rewrite: random source bytes handed out in blocks of random size, random
// typed texts for the header, sometimes a read error at the end or a sink with too little
// room. The streaming copy must give exactly the bytes of the plain 999-character reference;
// and, checked without the reference, the data after the header must be a tail of the
// source's text with every byte in place and every line break stored as CR LF. A write that
// fails leaves a prefix of the right bytes, never others.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "grid/grid_rewrite.h"
#include "support/memory_stream.h"
#include "support/reference_rewrite.h"

namespace rainprep {
namespace {

using test_support::memory_sink;
using test_support::memory_source;

void check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "fuzz_grid_rewrite: %s\n", what);
    std::abort();
  }
}

// The source as text: up to a Ctrl-Z, CR LF read as one line break.
std::string source_text(const std::string& bytes) {
  std::string text;
  for (std::size_t i = 0; i < bytes.size() && bytes[i] != '\x1a'; ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    text += bytes[i];
  }
  return text;
}

// Written bytes read back: CR LF is one line break. Every LF must have its CR.
std::string read_back(const std::string& bytes) {
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') check(i > 0 && bytes[i - 1] == '\r', "a line break was stored as LF");
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    text += bytes[i];
  }
  return text;
}

std::size_t consume_block_size(FuzzedDataProvider& data) {
  switch (data.ConsumeIntegralInRange(0, 3)) {
    case 0:
      return data.ConsumeIntegralInRange<std::size_t>(1, 16);
    case 1:
      return data.ConsumeIntegralInRange<std::size_t>(1, 300000);
    case 2:
      return data.PickValueInArray<std::size_t>({999, 1000, 4096, 65536, 262143, 262144, 262145});
    default:
      return std::size_t{1} << 20;
  }
}

}  // namespace
}  // namespace rainprep

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  using namespace rainprep;
  FuzzedDataProvider data(bytes, size);
  dialogue_answers answers;
  answers.xllcorner = data.ConsumeRandomLengthString(40);
  answers.yllcorner = data.ConsumeRandomLengthString(40);
  answers.cellsize = data.ConsumeRandomLengthString(40);
  const std::size_t block = consume_block_size(data);
  const bool read_error_at_end = data.ConsumeIntegralInRange(0, 7) == 0;
  const bool disk_fills = data.ConsumeIntegralInRange(0, 7) == 0;
  const std::size_t room = data.ConsumeIntegral<std::uint32_t>();
  // A run of one byte somewhere, now and then long enough to reach past the reader's and
  // writer's blocks of 256 KB (but not with tiny blocks, to keep each run quick).
  std::size_t run_length = 0;
  switch (data.ConsumeIntegralInRange(0, 7)) {
    case 0:
      run_length = data.ConsumeIntegralInRange<std::size_t>(0, block < 64 ? 5000 : 300000);
      break;
    case 1:
    case 2:
      run_length = data.ConsumeIntegralInRange<std::size_t>(0, 5000);
      break;
    default:
      break;
  }
  const char run_byte = data.ConsumeIntegral<char>();
  const std::size_t run_at = data.ConsumeIntegral<std::uint16_t>();
  std::string source_bytes = data.ConsumeRemainingBytesAsString();
  source_bytes.insert(run_at % (source_bytes.size() + 1), run_length, run_byte);

  const std::string expected = test_support::reference_rewrite(source_bytes, answers.xllcorner,
                                                               answers.yllcorner, answers.cellsize);
  memory_source source(source_bytes, block, read_error_at_end);
  memory_sink sink(disk_fills ? room % (expected.size() + 1) : std::string::npos);
  text_reader reader(source);
  text_writer writer(sink);
  write_grid_header(writer, answers);
  copy_grid_data(reader, writer);
  const bool written = writer.flush();

  const bool ended_by_ctrl_z = source_bytes.find('\x1a') != std::string::npos;
  check(reader.failed() == (read_error_at_end && !ended_by_ctrl_z),
        "the read error was lost or invented");
  if (!written) {
    check(disk_fills, "a write failed with room to spare");
    check(expected.compare(0, sink.bytes.size(), sink.bytes) == 0,
          "a failed write left bytes that are not the grid's");
    return 0;
  }
  check(sink.bytes == expected, "the rewrite differs from the reference");

  // Without the reference: the data after the header, read back, is a tail of the source's
  // text, of which at most six reads were dropped.
  const std::string header = "NCOLS 1200 \nNROWS 1012 \nXLLCORNER " + answers.xllcorner +
                             "\nYLLCORNER " + answers.yllcorner + "\nCELLSIZE " + answers.cellsize +
                             "\nNODATA_VALUE\n -9999 ";
  const std::string written_text = read_back(sink.bytes);
  check(written_text.compare(0, header.size(), header) == 0, "the header is not in front");
  const std::string data_text = written_text.substr(header.size());
  const std::string text = source_text(source_bytes);
  check(data_text.size() <= text.size() &&
            text.compare(text.size() - data_text.size(), data_text.size(), data_text) == 0,
        "the data is not the tail of the source's text");
  const std::size_t dropped = text.size() - data_text.size();
  check(dropped <= 6 * 999, "more than six reads were dropped");
  std::size_t dropped_breaks = 0;
  for (std::size_t i = 0; i < dropped; ++i)
    dropped_breaks += text[i] == '\n';
  check(dropped_breaks <= 6, "more than six lines were dropped");
  return 0;
}
