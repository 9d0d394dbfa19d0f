#include "reports/csv_report.h"

#include <string_view>

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

// A spreadsheet runs a cell that begins like this as a formula, and names come from any
// downloaded archive: a leading apostrophe makes the cell text.
std::string NameField(const std::string& name) {
    constexpr std::string_view formulaStarts = "=+-@\t\r";
    const bool formula =
        !name.empty() && formulaStarts.find(name.front()) != std::string_view::npos;
    return Field(formula ? "'" + name : name);
}

std::string Line(const ReportRow& row) {
    return NameField(row.name) + "," + Field(row.hash);
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
