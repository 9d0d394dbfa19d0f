// A report written to its file: a format's pieces streamed row by row through one buffer,
// so that memory stays at the buffer and one row however long the list.
#pragma once

#include "reports/report_format.h"

#include <functional>
#include <string>

namespace dg {

// Creates or empties the file and writes the head, rows 0 to count - 1 (each read from
// rowAt when it is written) and the tail. false when the file could not be created or a
// write or the close failed: the file is not a report then. Main thread.
[[nodiscard]] bool WriteReportFile(const std::string& path, const ReportFormat& format,
                                   const ReportRow& titles, int count,
                                   const std::function<ReportRow(int)>& rowAt);

} // namespace dg
