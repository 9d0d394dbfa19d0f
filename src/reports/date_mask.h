// The text of a date value after a mask of % tokens.
#pragma once

#include <string>

namespace dg {

// The date is seconds from 1970-01-01 00:00:00, split into fields by UTC rules (so the local
// fields for a value of CurrentLocalDate). The mask is copied with each "%yyyy", "%yy",
// "%mm", "%dd", "%hh", "%ii" and "%ss" (letters in either case, tried in this order) replaced
// by the year, the year's third and fourth digit, the month, day, hour, minute and second,
// all but the year in two digits. Any other character, a "%" before no token too, is copied.
[[nodiscard]] std::string FormatDateMask(const std::string& mask, long long date);

} // namespace dg
