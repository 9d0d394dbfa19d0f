// The name of a report file.
#pragma once

#include <string>
#include <string_view>

namespace dg {

// "Digestorium " + hhmmss + "_" + ddmmyyyy + extension, both parts from the one date value
// (see FormatDateMask): reports of one format within a second share a name.
[[nodiscard]] std::string ReportFileName(long long date, std::string_view extension);

} // namespace dg
