// The HTML report: a page whose divisions lay the titles, the rows and a footer out as a table.
#pragma once

#include "reports/report_format.h"

namespace dg {

// Cell texts in UTF-8, as the page declares, with &, < and > written as entities.
extern const ReportFormat HtmlReport;

} // namespace dg
