// A report written to its file: a format's pieces streamed row by row through one buffer,
// so that memory stays at the buffer and one row however long the list.
#pragma once

#include <functional>
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

// Creates or empties the file and writes the head, rows 0 to count - 1 (each read from
// rowAt when it is written) and the tail. false when the file could not be created or a
// write or the close failed: the file is not a report then. Main thread.
[[nodiscard]] bool WriteReportFile(const std::string& path, const ReportFormat& format,
                                   const ReportRow& titles, int count,
                                   const std::function<ReportRow(int)>& rowAt);

} // namespace dg
