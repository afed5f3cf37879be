#include "clock/step_names.h"

namespace rainprep {
namespace {

std::string name_stem(const std::string& base_name, const step_texts& texts) {
  return base_name + "_" + texts.year + texts.month + texts.day + "_" + texts.hour + texts.minute;
}

std::string padded(std::int32_t value) {
  std::string text = std::to_string(value);
  pad_two_digits(text);
  return text;
}

}  // namespace

void pad_two_digits(std::string& text) {
  if (text.size() < 2) text.insert(0, "0");
}

step_texts texts_from_clock(const clock_time& t) {
  return {std::to_string(t.year), padded(t.month), padded(t.day), padded(t.hour), padded(t.minute)};
}

std::string source_name(const std::string& base_name, const step_texts& texts) {
  return name_stem(base_name, texts) + ".asc";
}

std::string destination_name(const std::string& base_name, const step_texts& texts) {
  return name_stem(base_name, texts) + "_mod.asc";
}

std::string stamp_from_typed(const typed_instant& typed) {
  return typed.year + typed.month + typed.day + "_" + typed.hour + typed.minute;
}

}  // namespace rainprep
