#include "actions/report_file.h"

#include "platform/files.h"
#include "platform/system.h"

namespace dg {

namespace {

ReportRow Encoded(const ReportFormat& format, ReportRow row) {
    if (format.utf8Cells) {
        row.name = AnsiToUtf8(row.name);
        row.hash = AnsiToUtf8(row.hash);
    }
    return row;
}

} // namespace

bool WriteReportFile(const std::string& path, const ReportFormat& format, const ReportRow& titles,
                     int count, const std::function<ReportRow(int)>& rowAt) {
    OutputFile file(path);
    if (!file.IsOpen())
        return false;
    file.Write(format.head(Encoded(format, titles)));
    for (int row = 0; row < count; ++row)
        file.Write(format.row(Encoded(format, rowAt(row))));
    file.Write(format.tail(count));
    return file.Close();
}

} // namespace dg
