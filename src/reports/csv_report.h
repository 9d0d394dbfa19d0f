// The CSV report: a header line and one line per row, with no line end after the last.
#pragma once

#include "reports/report_format.h"

namespace dg {

// A field holding a comma, a double quote, CR or LF is quoted, its quotes doubled (RFC 4180);
// every other field is written as listed. A name that begins with = + - @, a tab or CR gets
// a leading apostrophe first, so that no spreadsheet takes it for a formula.
extern const ReportFormat CsvReport;

} // namespace dg
