#include "reports/csv_report.h"

namespace dg {

namespace {

std::string Field(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string Line(const ReportRow& row) {
    return Field(row.name) + "," + Field(row.hash);
}

// Each row brings the line end before it, so the file ends right after the last row.
std::string Row(const ReportRow& row) {
    return "\r\n" + Line(row);
}

std::string Tail(int) {
    return {};
}

} // namespace

const ReportFormat CsvReport = {".csv", false, Line, Row, Tail};

} // namespace dg
