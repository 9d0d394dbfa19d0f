// The report commands: the list written to a text, CSV or HTML file in the documents folder,
// named after the local time and date.
#pragma once

namespace dg {

// Each refuses an empty list, writes the report, says so in the status line and, for text
// and HTML, opens it with its associated program. A file that cannot be created or fully
// written gives a message box instead. Main thread.
void WriteTextReport();
void WriteCsvReport();
void WriteHtmlReport();

} // namespace dg
