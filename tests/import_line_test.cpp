#include "batch/import_line.h"

#include <gtest/gtest.h>

#include <string>

namespace rainprep {
namespace {

TEST(ImportLine, Table) {
  struct line_case {
    const char* name;
    std::string destination, start, end;
    const char* line;  // nullptr: refused
  };
  const line_case cases[] = {
      {"ordinary", "lluvia_20240406_0950_mod.asc", "20240406_0950", "20240406_1200",
       "asc2dssGrid in=lluvia_20240406_0950_mod.asc dss=truvodss.dss "
       "path=/SHG/TEST/PRECIP/20240406_0950/20240406_1200/IMPORT/;\n"},
      {"directory part", "datos/lluvia_mod.asc", "1", "2",
       "asc2dssGrid in=datos/lluvia_mod.asc dss=truvodss.dss path=/SHG/TEST/PRECIP/1/2/IMPORT/;\n"},
      {"blank in the name", "mi lluvia_mod.asc", "1", "2",
       "asc2dssGrid in=\"mi lluvia_mod.asc\" dss=truvodss.dss "
       "path=/SHG/TEST/PRECIP/1/2/IMPORT/;\n"},
      {"tab in the name", "a\tb", "1", "2",
       "asc2dssGrid in=\"a\tb\" dss=truvodss.dss path=/SHG/TEST/PRECIP/1/2/IMPORT/;\n"},
      {"operators in the name", "a&b|c<d>e^f(g)", "1", "2",
       "asc2dssGrid in=\"a&b|c<d>e^f(g)\" dss=truvodss.dss path=/SHG/TEST/PRECIP/1/2/IMPORT/;\n"},
      {"backslashes ending a quoted name doubled", "mi lluvia\\\\", "1", "2",
       "asc2dssGrid in=\"mi lluvia\\\\\\\\\" dss=truvodss.dss "
       "path=/SHG/TEST/PRECIP/1/2/IMPORT/;\n"},
      {"backslashes inside a quoted name kept", "datos\\mi lluvia", "1", "2",
       "asc2dssGrid in=\"datos\\mi lluvia\" dss=truvodss.dss path=/SHG/TEST/PRECIP/1/2/IMPORT/;\n"},
      {"percent doubled", "50%_mod.asc", "1", "2",
       "asc2dssGrid in=\"50%%_mod.asc\" dss=truvodss.dss path=/SHG/TEST/PRECIP/1/2/IMPORT/;\n"},
      {"blank in a stamp", "x_mod.asc", " 6", "2",
       "asc2dssGrid in=x_mod.asc dss=truvodss.dss path=\"/SHG/TEST/PRECIP/ 6/2/IMPORT/;\"\n"},
      {"percent in the end stamp", "x_mod.asc", "1", "%PATH%",
       "asc2dssGrid in=x_mod.asc dss=truvodss.dss path=\"/SHG/TEST/PRECIP/1/%%PATH%%/IMPORT/;\"\n"},
      {"quote in the name", "di\"jo", "1", "2", nullptr},
      {"quote in a stamp", "x", "\"", "2", nullptr},
      {"line break in the name", "a\nb", "1", "2", nullptr},
      {"CR in a stamp", "x", "1", "2\r", nullptr},
      {"NUL in the name", std::string("a\0b", 3), "1", "2", nullptr},
      {"DEL in the name", "a\x7f", "1", "2", nullptr},
  };
  for (const auto& c : cases) {
    const auto line = import_line(c.destination, c.start, c.end);
    if (c.line == nullptr) {
      EXPECT_FALSE(line.has_value()) << c.name;
    } else {
      EXPECT_EQ(line.value_or("<refused>"), c.line) << c.name;
    }
  }
}

}  // namespace
}  // namespace rainprep
