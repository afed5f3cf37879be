#include "clock/step_names.h"

#include <gtest/gtest.h>

namespace rainprep {
namespace {

TEST(PadTwoDigits, PadsOnlyShortTexts) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "0"}, {"5", "05"}, {"10", "10"}, {"-5", "-5"}, {"123", "123"}};
  for (const auto& [in, out] : cases) {
    std::string text = in;
    pad_two_digits(text);
    EXPECT_EQ(text, out) << '"' << in << '"';
  }
}

TEST(StepTexts, PadsAllButTheYear) {
  struct texts_case {
    const char* name;
    clock_time t;
    const char *year, *month, *day, *hour, *minute;
  };
  const texts_case cases[] = {
      {"single digits", {2024, 4, 6, 9, 5}, "2024", "04", "06", "09", "05"},
      {"two digits", {2024, 12, 31, 23, 59}, "2024", "12", "31", "23", "59"},
      {"short year", {7, 1, 1, 0, 0}, "7", "01", "01", "00", "00"},
      {"negative values", {-12, -5, -1, 0, -30}, "-12", "-5", "-1", "00", "-30"},
  };
  for (const auto& c : cases) {
    const step_texts texts = texts_from_clock(c.t);
    EXPECT_EQ(texts.year, c.year) << c.name;
    EXPECT_EQ(texts.month, c.month) << c.name;
    EXPECT_EQ(texts.day, c.day) << c.name;
    EXPECT_EQ(texts.hour, c.hour) << c.name;
    EXPECT_EQ(texts.minute, c.minute) << c.name;
  }
}

TEST(StepNames, SourceAndDestination) {
  struct names_case {
    const char* name;
    std::string base;
    const char *source, *destination;
  };
  const std::string long_base(200, 'x');
  const names_case cases[] = {
      {"plain", "lluvia", "lluvia_20240406_0950.asc", "lluvia_20240406_0950_mod.asc"},
      {"empty base", "", "_20240406_0950.asc", "_20240406_0950_mod.asc"},
      {"directory part", "datos/lluvia", "datos/lluvia_20240406_0950.asc",
       "datos/lluvia_20240406_0950_mod.asc"},
  };
  const step_texts texts = texts_from_clock({2024, 4, 6, 9, 50});
  for (const auto& c : cases) {
    EXPECT_EQ(source_name(c.base, texts), c.source) << c.name;
    EXPECT_EQ(destination_name(c.base, texts), c.destination) << c.name;
  }
  EXPECT_EQ(source_name(long_base, texts), long_base + "_20240406_0950.asc");
  EXPECT_EQ(destination_name(long_base, texts), long_base + "_20240406_0950_mod.asc");
}

TEST(Stamps, CopyTheTypedTexts) {
  struct stamp_case {
    const char* name;
    typed_instant typed;
    const char* stamp;
  };
  const stamp_case cases[] = {
      {"padded", {"06", "04", "2024", "09", "05"}, "20240406_0905"},
      {"unpadded", {"6", "4", "2024", "9", "5"}, "202446_95"},
      {"not numbers", {"x", "", "dos mil", "99", "-1"}, "dos milx_99-1"},
      {"blanks kept", {" 6", "4 ", "2024", "9", "5"}, "20244  6_95"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(stamp_from_typed(c.typed), c.stamp) << c.name;
}

}  // namespace
}  // namespace rainprep
