#include "platform_fixture.h"

namespace rainprep::test_support {

std::string import_command(const std::string& in, const std::string& end_stamp,
                           const std::string& start_stamp) {
  return "asc2dssGrid in=" + in + " dss=truvodss.dss path=/SHG/TEST/PRECIP/" + start_stamp + "/" +
         end_stamp + "/IMPORT/;";
}

std::string import_call(const std::string& in, const std::string& end_stamp,
                        const std::string& start_stamp) {
  return "in=" + in + "\ndss=truvodss.dss\npath=/SHG/TEST/PRECIP/" + start_stamp + "/" + end_stamp +
         "/IMPORT/;\n--\n";
}

std::string batch_text(const std::vector<import_step>& steps) {
  std::string text;
  for (const auto& step : steps)
    text += import_command(step.grid, step.end_stamp, step.start_stamp) + "\r\n";
  return text;
}

void platform_fixture::lay_out(const std::string& base, const std::vector<std::string>& hhmm,
                               const std::vector<std::string>& rows) const {
  for (const auto& t : hhmm)
    write_file(base + "_20240406_" + t + ".asc", source_grid(rows, "\r\n"));
}

std::vector<std::string> platform_fixture::rewritten() const {
  std::vector<std::string> names;
  for (const auto& name : listing()) {
    if (name.find("_mod.asc") != std::string::npos) names.push_back(name);
  }
  return names;
}

}  // namespace rainprep::test_support
