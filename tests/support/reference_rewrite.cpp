#include "support/reference_rewrite.h"

#include <cstddef>
#include <vector>

namespace rainprep::test_support {
namespace {

std::string read_as_text(const std::string& bytes) {
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\x1a') break;
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
      text += '\n';
      ++i;
    } else {
      text += bytes[i];
    }
  }
  return text;
}

std::vector<std::string> cut_into_reads(const std::string& text) {
  std::vector<std::string> reads;
  std::size_t at = 0;
  while (at < text.size()) {
    std::string read;
    while (read.size() < 999 && at < text.size()) {
      read += text[at++];
      if (read.back() == '\n') break;
    }
    reads.push_back(read);
  }
  return reads;
}

std::string store_line_breaks(const std::string& text) {
  std::string bytes;
  for (const char c : text) {
    if (c == '\n') bytes += '\r';
    bytes += c;
  }
  return bytes;
}

}  // namespace

std::string reference_rewrite(const std::string& source_bytes, const std::string& xllcorner,
                              const std::string& yllcorner, const std::string& cellsize) {
  std::string text = "NCOLS 1200 \nNROWS 1012 \nXLLCORNER " + xllcorner + "\nYLLCORNER " +
                     yllcorner + "\nCELLSIZE " + cellsize + "\nNODATA_VALUE\n -9999 ";
  const std::vector<std::string> reads = cut_into_reads(read_as_text(source_bytes));
  for (std::size_t i = 6; i < reads.size(); ++i)
    text += reads[i];
  return store_line_breaks(text);
}

}  // namespace rainprep::test_support
