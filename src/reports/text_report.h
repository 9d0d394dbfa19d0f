// The text report: a fixed-column table of names and hashes, closed by a box of asterisks.
#pragma once

#include "reports/report_format.h"

namespace dg {

// Names of more than 44 characters are cut to 44 and "~  "; characters are UTF-8 ones when
// the name is valid UTF-8, else bytes. The file ends with the box's last asterisk.
extern const ReportFormat TextReport;

} // namespace dg
