// One asc2dssGrid call of the import batch, written so that the command interpreter reads
// each value as part of one argument and never as an operator.
#pragma once

#include <optional>
#include <string>

namespace rainprep {

// The line "asc2dssGrid in=N dss=truvodss.dss path=/SHG/TEST/PRECIP/D/E/IMPORT/;\n".
// A name or pathname holding a blank, a tab or one of & | < > ^ % ( ) is put between double
// quotes with every % doubled, and any backslashes that end it doubled; ordinary values stand
// as they are. Returns nothing when a value holds a double quote or a control character
// other than a tab, which no quoting makes safe.
std::optional<std::string> import_line(const std::string& destination_name,
                                       const std::string& start_stamp,
                                       const std::string& end_stamp);

}  // namespace rainprep
