// What a report format is: pure pieces, rows in and bytes out.
#pragma once

#include <string>
#include <string_view>

namespace dg {

// The two cells of a list row, or the two column titles.
struct ReportRow {
    std::string name;
    std::string hash;
};

// The bytes of a report format in three pure pieces: the head with the column titles, one
// row, and the tail that closes a report of `count` rows. Line ends are CR LF, in the pieces.
struct ReportFormat {
    std::string_view extension;
    // Cell texts go from the ANSI code page into UTF-8 before the pieces see them.
    bool utf8Cells = false;
    std::string (*head)(const ReportRow& titles) = nullptr;
    std::string (*row)(const ReportRow& row) = nullptr;
    std::string (*tail)(int count) = nullptr;
};

} // namespace dg
